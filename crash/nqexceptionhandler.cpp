#include "crash/nqexceptionhandler.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>

#define BACKWARD_HAS_DW 1
#include <backward.hpp>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

namespace dorvo_preview {
namespace {

// Everything reachable from onFatalSignal() up to the symbolized backtrace sticks to async-signal-safe
// calls (open/read/write/close, sigaction, raise, ...) and to buffers prepared at construction. The
// symbolizer, the user callback and the start of the reporter come afterwards, when the dump header, the
// raw addresses and the report are already on disk.
//
// The handler runs on the alternate signal stack of the crashing thread if it has one (after a stack
// overflow that is the only usable stack), else on the thread's own stack. Either may be small, so the
// symbolizer, which needs far more room, runs on a stack of its own, prepared at construction.

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr size_t kSignalCount = sizeof(kFatalSignals) / sizeof(kFatalSignals[0]);

constexpr size_t kAltStackSize = 64 * 1024;
// Only the pages the symbolizer touches get memory.
constexpr size_t kSymbolizerStackSize = 1024 * 1024;
constexpr size_t kTextSize = 1024;
constexpr size_t kPathSize = PATH_MAX;
constexpr size_t kUuidLength = 36;
constexpr size_t kTimeTextSize = 32;
constexpr int kMaxFrames = 128;
// How long a second crashing thread waits for the first one to finish its files.
constexpr int kOtherThreadWaitTenths = 300;
// How long the symbolizer and the user callback may take; they may wait forever on a lock held by the
// crashed code (a crash inside malloc, for instance).
constexpr unsigned kWatchdogSeconds = 15;

static_assert(std::atomic<pid_t>::is_always_lock_free, "the signal handler needs a lock-free thread id");
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free int");
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free bool");

struct HandlerState
{
    char crashDir[kPathSize];
    char organisation[kTextSize];
    char version[kTextSize];
    char reporterPath[kPathSize];
    char startTime[kTimeTextSize];
    bool launchReporter;
    NQExceptionHandler::UserCallback callback;
    struct sigaction previousActions[kSignalCount];

    // The alternate signal stack installed for the constructing thread.
    void* altStack;
    stack_t previousAltStack;
    pid_t altStackThread;
};

HandlerState g_state;
std::atomic<bool> g_armed{false};
std::atomic<pid_t> g_handlingThread{0};
std::atomic<int> g_handledSignal{0};

// Allocated once and kept for the life of the process.
void* g_symbolizerStack = nullptr;

// The application name and path, kept up to date from Qt outside of the signal handler. Two slots so
// that the handler always reads a complete one.
struct ApplicationInfo
{
    char name[kTextSize];
    char filePath[kPathSize];
};
ApplicationInfo g_appInfo[2];
std::atomic<int> g_appInfoSlot{0};
std::mutex g_appInfoMutex;
std::once_flag g_watchOnce;

// ---- small async-signal-safe helpers -------------------------------------------------------------

pid_t currentThreadId()
{
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

void writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (written == 0)
            return;
        data += written;
        size -= static_cast<size_t>(written);
    }
}

void writeText(int fd, const char* text)
{
    writeAll(fd, text, std::strlen(text));
}

// A NUL-terminated text in a fixed buffer; what does not fit is dropped.
template <size_t N> class FixedText
{
public:
    FixedText() { m_data[0] = '\0'; }

    FixedText& clear()
    {
        m_length = 0;
        m_data[0] = '\0';
        return *this;
    }

    FixedText& add(const char* text)
    {
        while (text && *text)
            addChar(*text++);
        return *this;
    }

    FixedText& addChar(char c)
    {
        if (m_length + 1 < N) {
            m_data[m_length++] = c;
            m_data[m_length] = '\0';
        }
        return *this;
    }

    FixedText& addDecimal(long long value)
    {
        unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
        char digits[24];
        size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            addChar('-');
        while (count > 0)
            addChar(digits[--count]);
        return *this;
    }

    FixedText& addHex(uintptr_t value, size_t minDigits = 1)
    {
        static const char hex[] = "0123456789abcdef";
        char digits[2 * sizeof(uintptr_t)];
        size_t count = 0;
        do {
            digits[count++] = hex[value & 0xf];
            value >>= 4;
        } while (value != 0);
        while (count < minDigits && count < sizeof(digits))
            digits[count++] = '0';
        add("0x");
        while (count > 0)
            addChar(digits[--count]);
        return *this;
    }

    const char* text() const { return m_data; }
    size_t length() const { return m_length; }
    void writeTo(int fd) const { writeAll(fd, m_data, m_length); }

private:
    char m_data[N];
    size_t m_length = 0;
};

using Line = FixedText<kTextSize + 128>;
using PathText = FixedText<kPathSize>;

// Scratch space of the signal handler, which runs for one thread at a time; kept off the stack, which may
// be small.
struct HandlerScratch
{
    void* rawFrames[kMaxFrames];
    PathText dumpPath;
    PathText reportPath;
    char executablePath[kPathSize];
    Line line;
    char mapsChunk[1024];
    char mapsLine[512];
    ucontext_t handlerContext;
    ucontext_t symbolizerContext;
    FILE* symbolizerFile;
    backward::StackTrace* symbolizerTrace;
};
HandlerScratch g_scratch;

const char* signalName(int sig)
{
    switch (sig) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGILL:
        return "SIGILL";
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "unknown signal";
    }
}

const char* signalCodeName(int sig, int code)
{
    switch (code) {
    case SI_USER:
        return "SI_USER";
    case SI_TKILL:
        return "SI_TKILL";
    case SI_QUEUE:
        return "SI_QUEUE";
    case SI_KERNEL:
        return "SI_KERNEL";
    default:
        break;
    }
    if (sig == SIGSEGV) {
        switch (code) {
        case SEGV_MAPERR:
            return "SEGV_MAPERR";
        case SEGV_ACCERR:
            return "SEGV_ACCERR";
        default:
            break;
        }
    } else if (sig == SIGBUS) {
        switch (code) {
        case BUS_ADRALN:
            return "BUS_ADRALN";
        case BUS_ADRERR:
            return "BUS_ADRERR";
        case BUS_OBJERR:
            return "BUS_OBJERR";
        default:
            break;
        }
    } else if (sig == SIGILL) {
        switch (code) {
        case ILL_ILLOPC:
            return "ILL_ILLOPC";
        case ILL_ILLOPN:
            return "ILL_ILLOPN";
        case ILL_ILLADR:
            return "ILL_ILLADR";
        case ILL_ILLTRP:
            return "ILL_ILLTRP";
        case ILL_PRVOPC:
            return "ILL_PRVOPC";
        case ILL_PRVREG:
            return "ILL_PRVREG";
        case ILL_COPROC:
            return "ILL_COPROC";
        case ILL_BADSTK:
            return "ILL_BADSTK";
        default:
            break;
        }
    } else if (sig == SIGFPE) {
        switch (code) {
        case FPE_INTDIV:
            return "FPE_INTDIV";
        case FPE_INTOVF:
            return "FPE_INTOVF";
        case FPE_FLTDIV:
            return "FPE_FLTDIV";
        case FPE_FLTOVF:
            return "FPE_FLTOVF";
        case FPE_FLTUND:
            return "FPE_FLTUND";
        case FPE_FLTRES:
            return "FPE_FLTRES";
        case FPE_FLTINV:
            return "FPE_FLTINV";
        case FPE_FLTSUB:
            return "FPE_FLTSUB";
        default:
            break;
        }
    }
    return "unknown code";
}

// The program counter of the interrupted code, 0 when unknown.
uintptr_t interruptedPc(const void* context)
{
    if (!context)
        return 0;
    const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    return static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_RIP]);
#elif defined(__i386__)
    return static_cast<uintptr_t>(uc->uc_mcontext.gregs[REG_EIP]);
#elif defined(__aarch64__)
    return static_cast<uintptr_t>(uc->uc_mcontext.pc);
#elif defined(__arm__)
    return static_cast<uintptr_t>(uc->uc_mcontext.arm_pc);
#else
    (void)uc;
    return 0;
#endif
}

uint64_t mixBits(uint64_t value)
{
    value += 0x9e3779b97f4a7c15ULL;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

// A version-4 UUID as 36 lower-case characters.
void makeUuid(char (&out)[kUuidLength + 1])
{
    unsigned char bytes[16];
    size_t filled = 0;
    const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        while (filled < sizeof(bytes)) {
            const ssize_t got = ::read(fd, bytes + filled, sizeof(bytes) - filled);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            filled += static_cast<size_t>(got);
        }
        ::close(fd);
    }
    if (filled < sizeof(bytes)) {
        // No random device: derive the bytes from clocks and ids; still unique enough for file names.
        timespec realTime{};
        timespec monotonic{};
        ::clock_gettime(CLOCK_REALTIME, &realTime);
        ::clock_gettime(CLOCK_MONOTONIC, &monotonic);
        uint64_t seed =
            static_cast<uint64_t>(realTime.tv_sec) * 1000000000ULL + static_cast<uint64_t>(realTime.tv_nsec);
        seed ^= static_cast<uint64_t>(monotonic.tv_nsec) << 20;
        seed ^= static_cast<uint64_t>(::getpid()) << 40;
        seed ^= static_cast<uint64_t>(currentThreadId());
        for (size_t i = 0; i < sizeof(bytes); ++i) {
            if (i % 8 == 0)
                seed = mixBits(seed);
            bytes[i] = static_cast<unsigned char>(seed >> (8 * (i % 8)));
        }
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0f) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3f) | 0x80);

    static const char hex[] = "0123456789abcdef";
    size_t pos = 0;
    for (size_t i = 0; i < sizeof(bytes); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            out[pos++] = '-';
        out[pos++] = hex[bytes[i] >> 4];
        out[pos++] = hex[bytes[i] & 0x0f];
    }
    out[pos] = '\0';
}

// Seconds of the wall clock, read as the start time is (time() reads a
// coarse clock a few milliseconds behind it: a crash right after the start
// would then seem to come before it). Safe in a signal handler.
time_t wallSeconds()
{
    struct timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

void formatLocalTime(time_t when, char (&out)[kTimeTextSize])
{
    struct tm parts = {};
    if (!::localtime_r(&when, &parts) || std::strftime(out, sizeof(out), "%Y-%m-%d %H:%M:%S", &parts) == 0)
        std::strcpy(out, "0000-00-00 00:00:00");
}

const ApplicationInfo& currentApplicationInfo()
{
    return g_appInfo[g_appInfoSlot.load(std::memory_order_acquire)];
}

// The program path from /proc/self/exe; empty when unreadable.
void readExecutablePath(char (&out)[kPathSize])
{
    const ssize_t length = ::readlink("/proc/self/exe", out, sizeof(out) - 1);
    out[length > 0 ? length : 0] = '\0';
}

// Copies /proc/self/maps lines of executable mappings, which turn the raw addresses into module offsets.
void writeExecutableMappings(int out)
{
    const int in = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return;
    char* const chunk = g_scratch.mapsChunk;
    char* const line = g_scratch.mapsLine;
    const size_t lineSize = sizeof(g_scratch.mapsLine);
    size_t lineLength = 0;
    for (;;) {
        const ssize_t got = ::read(in, chunk, sizeof(g_scratch.mapsChunk));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            const char c = chunk[i];
            if (lineLength < lineSize)
                line[lineLength++] = c;
            if (c != '\n')
                continue;
            line[lineLength - 1] = '\n';
            // "start-end perms offset dev inode path": the permissions follow the first blank.
            const void* blank = std::memchr(line, ' ', lineLength);
            if (blank) {
                const size_t perms = static_cast<size_t>(static_cast<const char*>(blank) - line) + 1;
                if (perms + 2 < lineLength && line[perms + 2] == 'x')
                    writeAll(out, line, lineLength);
            }
            lineLength = 0;
        }
    }
    ::close(in);
}

void writeDumpHeader(int fd, int sig, const siginfo_t* info, const void* context, const char* uuid,
                     const char* crashTime, const char* appName)
{
    const pid_t thread = currentThreadId();
    char threadName[17] = {};
    ::prctl(PR_GET_NAME, reinterpret_cast<unsigned long>(threadName), 0UL, 0UL, 0UL);
    const int code = info ? info->si_code : 0;
    const uintptr_t pc = interruptedPc(context);
    const auto faultAddress = reinterpret_cast<uintptr_t>(info ? info->si_addr : nullptr);
    constexpr size_t addressDigits = 2 * sizeof(uintptr_t);

    Line& line = g_scratch.line;
    line.clear().add("Crash dump ").add(uuid).addChar('\n').writeTo(fd);
    line.clear().add("signal: ").addDecimal(sig).add(" (").add(signalName(sig)).add(")\n").writeTo(fd);
    line.clear()
        .add("code: ")
        .addDecimal(code)
        .add(" (")
        .add(signalCodeName(sig, code))
        .add(")\n")
        .writeTo(fd);
    line.clear().add("fault address: ").addHex(faultAddress, addressDigits).addChar('\n').writeTo(fd);
    line.clear().add("program counter: ").addHex(pc, addressDigits).addChar('\n').writeTo(fd);
    line.clear().add("process: ").addDecimal(::getpid()).addChar('\n').writeTo(fd);
    line.clear().add("thread: ").addDecimal(thread).add(" \"").add(threadName).addChar('"');
    line.add(thread == ::getpid() ? " (main thread)\n" : "\n").writeTo(fd);
    line.clear().add("application: ").add(appName).addChar('\n').writeTo(fd);
    line.clear().add("version: ").add(g_state.version).addChar('\n').writeTo(fd);
    line.clear().add("start time: ").add(g_state.startTime).addChar('\n').writeTo(fd);
    line.clear().add("crash time: ").add(crashTime).add("\n\n").writeTo(fd);

    // backtrace() is prepared at construction, so that it no longer loads anything here.
    const int frames = ::backtrace(g_scratch.rawFrames, kMaxFrames);
    line.clear().add("raw backtrace (").addDecimal(frames).add(" frames, most recent first):\n").writeTo(fd);
    for (int i = 0; i < frames; ++i) {
        const auto address = reinterpret_cast<uintptr_t>(g_scratch.rawFrames[i]);
        line.clear().addChar('#').addDecimal(i).addChar(' ').addHex(address, addressDigits);
        if (pc != 0 && address == pc)
            line.add("  <- interrupted here");
        line.addChar('\n').writeTo(fd);
    }

    writeText(fd, "\nexecutable mappings:\n");
    writeExecutableMappings(fd);
    writeText(fd, "\n");
}

void writeReport(const char* reportPath, const char* dumpPath, const char* appName, const char* appPath,
                 const char* crashTime)
{
    const int fd = ::open(reportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const char* const lines[] = {dumpPath, g_state.organisation, appName, g_state.version, appPath};
    for (const char* text : lines) {
        writeText(fd, text);
        writeText(fd, "\n");
    }
    Line& line = g_scratch.line;
    line.clear().add("StartTime:").add(g_state.startTime).addChar('\n').writeTo(fd);
    line.clear().add("CurrentTime:").add(crashTime).addChar('\n').writeTo(fd);
    ::close(fd);
}

void printTrace(FILE* file, backward::StackTrace& trace)
{
    try {
        backward::Printer printer;
        printer.snippet = false;
        printer.object = true;
        printer.address = true;
        printer.color_mode = backward::ColorMode::never;
        printer.print(trace, file);
        std::fputs("end of dump\n", file);
    } catch (...) {
        std::fputs("symbolization failed\n", file);
    }
}

void symbolizerEntry()
{
    printTrace(g_scratch.symbolizerFile, *g_scratch.symbolizerTrace);
    // Returning resumes the handler (uc_link).
}

// Not async-signal-safe (the symbolizer allocates and reads debug information); runs once everything
// else is written. Takes over and closes fd.
void writeSymbolizedBacktrace(int fd, void* context, const siginfo_t* info)
{
    writeText(fd, "symbolized backtrace:\n");
    FILE* file = ::fdopen(fd, "a");
    if (!file) {
        ::close(fd);
        return;
    }
    try {
        // Unwinding has to happen here, on the stack of the crashing thread; only printing moves.
        backward::StackTrace trace;
        void* errorAddress = info ? info->si_addr : nullptr;
        const uintptr_t pc = interruptedPc(context);
        if (pc != 0)
            trace.load_from(reinterpret_cast<void*>(pc), kMaxFrames, context, errorAddress);
        else
            trace.load_here(kMaxFrames, context, errorAddress);

        if (g_symbolizerStack && ::getcontext(&g_scratch.symbolizerContext) == 0) {
            g_scratch.symbolizerFile = file;
            g_scratch.symbolizerTrace = &trace;
            g_scratch.symbolizerContext.uc_stack.ss_sp = g_symbolizerStack;
            g_scratch.symbolizerContext.uc_stack.ss_size = kSymbolizerStackSize;
            g_scratch.symbolizerContext.uc_stack.ss_flags = 0;
            g_scratch.symbolizerContext.uc_link = &g_scratch.handlerContext;
            ::makecontext(&g_scratch.symbolizerContext, &symbolizerEntry, 0);
            if (::swapcontext(&g_scratch.handlerContext, &g_scratch.symbolizerContext) != 0)
                printTrace(file, trace);
        } else {
            printTrace(file, trace);
        }
    } catch (...) {
        std::fputs("symbolization failed\n", file);
    }
    std::fclose(file);
}

pid_t forkForReporter()
{
#if defined(__GLIBC__) && defined(__GLIBC_PREREQ)
#if __GLIBC_PREREQ(2, 34)
    // Unlike fork(), _Fork() runs no atfork handlers, which is what a signal handler needs.
    return ::_Fork();
#else
    return ::fork();
#endif
#else
    return ::fork();
#endif
}

void runReporter(const char* dumpPath, const char* appName, const char* appPath)
{
    char* const argv[] = {const_cast<char*>(g_state.reporterPath),
                          const_cast<char*>(dumpPath),
                          const_cast<char*>(g_state.organisation),
                          const_cast<char*>(appName),
                          const_cast<char*>(g_state.version),
                          const_cast<char*>(appPath),
                          nullptr};
    const pid_t child = forkForReporter();
    if (child == 0) {
        // The crashing signal is blocked in the handler; the reporter must not inherit that.
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execv(g_state.reporterPath, argv);
        ::_exit(127);
    }
    if (child < 0)
        return;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

void restoreDefaultAction(int sig)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(sig, &action, nullptr);
}

void unblockAndRaise(int sig)
{
    sigset_t set;
    ::sigemptyset(&set);
    ::sigaddset(&set, sig);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(sig);
}

// Ends the process with sig and its default action (termination with a core dump).
void dieOf(int sig)
{
    restoreDefaultAction(sig);
    unblockAndRaise(sig);
    ::_exit(128 + sig);
}

void onWatchdogAlarm(int)
{
    const int first = g_handledSignal.load();
    dieOf(first != 0 ? first : SIGABRT);
}

// Ends the process of the signal handled if the rest of the handler takes too long.
void startWatchdog()
{
    struct sigaction action = {};
    action.sa_handler = &onWatchdogAlarm;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(SIGALRM, &action, nullptr);
    sigset_t set;
    ::sigemptyset(&set);
    ::sigaddset(&set, SIGALRM);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::alarm(kWatchdogSeconds);
}

void onFatalSignal(int sig, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    const pid_t self = currentThreadId();

    pid_t busyThread = 0;
    if (!g_handlingThread.compare_exchange_strong(busyThread, self)) {
        if (busyThread != self) {
            // Another thread is writing its crash files and ends the process afterwards; give it time.
            for (int i = 0; i < kOtherThreadWaitTenths; ++i) {
                const timespec tenth{0, 100 * 1000 * 1000};
                ::nanosleep(&tenth, nullptr);
            }
        }
        // A fault inside this handler, or the other thread hangs: die of the signal first handled.
        const int first = g_handledSignal.load();
        dieOf(first != 0 ? first : sig);
    }
    g_handledSignal.store(sig);

    char crashTime[kTimeTextSize];
    formatLocalTime(wallSeconds(), crashTime);
    char uuid[kUuidLength + 1];
    makeUuid(uuid);
    PathText& dumpPath = g_scratch.dumpPath;
    dumpPath.clear().add(g_state.crashDir).addChar('/').add(uuid).add(".dmp");
    PathText& reportPath = g_scratch.reportPath;
    reportPath.clear().add(g_state.crashDir).addChar('/').add(uuid).add(".txt");

    const ApplicationInfo& application = currentApplicationInfo();
    const char* appName = application.name;
    const char* appPath = application.filePath;
    if (appPath[0] == '\0') {
        readExecutablePath(g_scratch.executablePath);
        appPath = g_scratch.executablePath;
    }

    const int dumpFd = ::open(dumpPath.text(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (dumpFd >= 0)
        writeDumpHeader(dumpFd, sig, info, context, uuid, crashTime, appName);
    writeReport(reportPath.text(), dumpPath.text(), appName, appPath, crashTime);

    startWatchdog();
    if (dumpFd >= 0)
        writeSymbolizedBacktrace(dumpFd, context, info);
    if (g_state.callback)
        g_state.callback();
    // The reporter may wait for the user as long as it likes.
    ::alarm(0);
    if (g_state.launchReporter && g_state.reporterPath[0] != '\0')
        runReporter(dumpPath.text(), appName, appPath);

    // Die as without the handler. A signal sent by kill()/raise()/abort() is raised again; for a fault
    // raised by the processor, returning re-runs the faulting instruction under the default action,
    // which keeps the original context in a core dump.
    restoreDefaultAction(sig);
    const bool sent = !info || info->si_code <= 0 || sig == SIGABRT;
    if (sent)
        unblockAndRaise(sig);
    errno = savedErrno;
}

// ---- set-up, outside of the signal handler ---------------------------------------------------------

// Copies text into out; a multi-line text is turned into a single line. Returns false when truncated
// (at a character boundary).
template <size_t N> bool copyText(char (&out)[N], const QByteArray& text)
{
    size_t length = static_cast<size_t>(text.size());
    const bool fits = length < N;
    if (!fits) {
        length = N - 1;
        while (length > 0 && (static_cast<unsigned char>(text.at(static_cast<int>(length))) & 0xc0) == 0x80)
            --length;
    }
    for (size_t i = 0; i < length; ++i) {
        const char c = text.at(static_cast<int>(i));
        out[i] = (c == '\n' || c == '\r' || c == '\0') ? ' ' : c;
    }
    out[length] = '\0';
    return fits;
}

void refreshApplicationInfo()
{
    QString name = QCoreApplication::applicationName();
    QString path;
    if (QCoreApplication::instance())
        path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        path = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (name.isEmpty())
        name = QFileInfo(path).fileName();

    std::lock_guard<std::mutex> lock(g_appInfoMutex);
    const int next = 1 - g_appInfoSlot.load(std::memory_order_relaxed);
    copyText(g_appInfo[next].name, name.toUtf8());
    if (!copyText(g_appInfo[next].filePath, QFile::encodeName(path)))
        g_appInfo[next].filePath[0] = '\0';
    g_appInfoSlot.store(next, std::memory_order_release);
}

void onApplicationCreated()
{
    refreshApplicationInfo();
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::applicationNameChanged, &refreshApplicationInfo);
}

// Follows the QCoreApplication of the process, which the host may create after the handler: each
// application (present or later) refreshes the name and path on creation and on renaming.
void watchApplication()
{
    std::call_once(g_watchOnce, [] {
        // Qt keeps the routine for the life of the process: keep this code loaded as long.
        Dl_info self{};
        if (::dladdr(reinterpret_cast<void*>(&onApplicationCreated), &self) && self.dli_fname)
            ::dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        qAddPreRoutine(&onApplicationCreated);
    });
}

bool ensureFolder(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkpath(folder);
}

// Makes sure the code used in the signal handler has nothing left to load or initialise.
void prepareHandlerCode()
{
    void* frame[1];
    ::backtrace(frame, 1);
    ::tzset();
    char text[kTimeTextSize];
    formatLocalTime(wallSeconds(), text);
}

size_t guardSize()
{
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    return pageSize > 0 ? static_cast<size_t>(pageSize) : 4096;
}

// A stack of size bytes above an inaccessible guard page (stacks grow down, so an overflow faults instead
// of overwriting other memory); returns its lowest usable address, or nullptr.
void* mapStack(size_t size)
{
    const size_t guard = guardSize();
    void* mapping =
        ::mmap(nullptr, size + guard, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (mapping == MAP_FAILED)
        return nullptr;
    if (::mprotect(mapping, guard, PROT_NONE) != 0) {
        ::munmap(mapping, size + guard);
        return nullptr;
    }
    return static_cast<char*>(mapping) + guard;
}

void unmapStack(void* stack, size_t size)
{
    const size_t guard = guardSize();
    ::munmap(static_cast<char*>(stack) - guard, size + guard);
}

void installAltStack()
{
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE) &&
        current.ss_size >= kAltStackSize)
        return;
    void* memory = mapStack(kAltStackSize);
    if (!memory)
        return;
    stack_t stack{};
    stack.ss_sp = memory;
    stack.ss_size = kAltStackSize;
    stack.ss_flags = 0;
    if (::sigaltstack(&stack, &g_state.previousAltStack) != 0) {
        unmapStack(memory, kAltStackSize);
        return;
    }
    g_state.altStack = memory;
    g_state.altStackThread = currentThreadId();
}

void removeAltStack()
{
    if (!g_state.altStack)
        return;
    // sigaltstack() only concerns the calling thread: from another thread the stack stays in place for
    // its owner, and so does its memory.
    if (g_state.altStackThread == currentThreadId()) {
        stack_t current{};
        if (::sigaltstack(nullptr, &current) == 0 && current.ss_sp == g_state.altStack &&
            !(current.ss_flags & SS_ONSTACK)) {
            stack_t previous = g_state.previousAltStack;
            previous.ss_flags &= SS_DISABLE;
            if (::sigaltstack(&previous, nullptr) == 0)
                unmapStack(g_state.altStack, kAltStackSize);
        }
    }
    g_state.altStack = nullptr;
}

void restorePreviousActions(size_t count)
{
    for (size_t i = 0; i < count; ++i)
        ::sigaction(kFatalSignals[i], &g_state.previousActions[i], nullptr);
}

bool arm(const QString& folder, const QString& reporterPath, bool launchReporter, const QString& version,
         const QString& organisation, NQExceptionHandler::UserCallback callback, const QDateTime& startTime)
{
    bool alreadyArmed = false;
    if (!g_armed.compare_exchange_strong(alreadyArmed, true))
        return false;

    // Room for "/<uuid>.dmp" after the folder.
    if (!copyText(g_state.crashDir, QFile::encodeName(folder)) ||
        std::strlen(g_state.crashDir) + 1 + kUuidLength + 4 >= kPathSize) {
        g_armed.store(false);
        return false;
    }
    copyText(g_state.organisation, organisation.toUtf8());
    copyText(g_state.version, version.toUtf8());
    if (!copyText(g_state.reporterPath, QFile::encodeName(reporterPath)))
        g_state.reporterPath[0] = '\0';
    copyText(g_state.startTime, startTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8());
    g_state.launchReporter = launchReporter;
    g_state.callback = callback;

    prepareHandlerCode();
    watchApplication();
    refreshApplicationInfo();
    if (!g_symbolizerStack)
        g_symbolizerStack = mapStack(kSymbolizerStackSize);
    installAltStack();

    for (size_t i = 0; i < kSignalCount; ++i) {
        struct sigaction action = {};
        action.sa_sigaction = &onFatalSignal;
        ::sigemptyset(&action.sa_mask);
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        if (::sigaction(kFatalSignals[i], &action, &g_state.previousActions[i]) != 0) {
            restorePreviousActions(i);
            removeAltStack();
            g_armed.store(false);
            return false;
        }
    }
    return true;
}

} // namespace

NQExceptionHandler::NQExceptionHandler(const QString& crashDir, const QString& reporterPath,
                                       bool launchReporter, const QString& version,
                                       const QString& organisation, UserCallback callback)
{
    const QDateTime startTime = QDateTime::currentDateTime();
    const QString folder = crashDir.isEmpty() ? QString() : QDir(crashDir).absolutePath();
    if (!ensureFolder(folder) ||
        !arm(folder, reporterPath, launchReporter, version, organisation, callback, startTime)) {
        qDebug("NQExceptionHandler initialization failed!");
        return;
    }
    m_armed = true;
}

NQExceptionHandler::~NQExceptionHandler()
{
    qDebug("NQExceptionHandler::~NQExceptionHandler");
    if (!m_armed)
        return;
    restorePreviousActions(kSignalCount);
    removeAltStack();
    m_armed = false;
    g_armed.store(false);
}

bool NQExceptionHandler::armed() const
{
    return m_armed;
}

} // namespace dorvo_preview

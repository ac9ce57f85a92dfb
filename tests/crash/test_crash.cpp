// Tests of NQExceptionHandler: set-up failures and signal bookkeeping in this process, and the files
// written by crash_victim, a program that crashes on purpose.

#include "crash/nqexceptionhandler.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <vector>

#include <sys/resource.h>

#ifndef CRASH_VICTIM_PATH
#error "CRASH_VICTIM_PATH must name the crash_victim program"
#endif

namespace {

using dorvo_preview::NQExceptionHandler;

const int kHandledSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

void noCallback() {}

QStringList g_messages;

// Collects Qt's debug messages while it lives.
struct MessageCapture
{
    QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { g_messages << m; });
    MessageCapture() { g_messages.clear(); }
    ~MessageCapture() { qInstallMessageHandler(previous); }
};

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct VictimRun
{
    bool timedOut = false;
    bool crashed = false;
    int code = 0; // the exit code, or the signal that ended it
    QString output;
};

class CrashVictimTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_workDir.isValid()); }

    // Runs crash_victim on a folder it has to create (parents included), without core files, with the
    // sanitizer options of a crashing program; REPORTER_OUTPUT names the file of the test's reporter.
    VictimRun crash(const QString& mode, const QStringList& options)
    {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        // The sanitizers leave the fatal signals to the handler; the thread sanitizer is told that the
        // handler knowingly leaves async-signal-safe ground once the dump header and the report are written.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") +
                                       ":handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:"
                                       "handle_abort=0:allow_user_segv_handler=1:detect_leaks=0");
        env.insert("TSAN_OPTIONS", env.value("TSAN_OPTIONS") + ":report_signal_unsafe=0");
        env.insert("REPORTER_OUTPUT", m_reporterOutput);
        QProcess victim;
        victim.setProcessEnvironment(env);
        victim.setProcessChannelMode(QProcess::MergedChannels);
        victim.start(QStringLiteral(CRASH_VICTIM_PATH), QStringList{m_crashDir, mode} + options);
        VictimRun run;
        // A hanging handler must fail the test rather than block it.
        run.timedOut = !victim.waitForFinished(60000);
        if (run.timedOut) {
            victim.kill();
            victim.waitForFinished();
        }
        run.crashed = victim.exitStatus() == QProcess::CrashExit;
        run.code = victim.exitCode();
        run.output = QString::fromLocal8Bit(victim.readAll());
        return run;
    }

    // Checks that the crash folder holds exactly one "<uuid>.dmp" and one "<uuid>.txt", and that the report
    // has the expected lines; returns the dump and the report's lines.
    std::pair<QString, QStringList> crashFiles(const QString& applicationName)
    {
        const QStringList entries =
            QDir(m_crashDir)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        const QRegularExpression uuidName(
            "^([0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12})\\.dmp$");
        const QRegularExpressionMatch match = uuidName.match(entries.value(0));
        EXPECT_TRUE(entries.size() == 2 && match.hasMatch()) << entries.join(' ').toStdString();
        const QString base = m_crashDir + '/' + match.captured(1);
        EXPECT_EQ(entries.value(1), match.captured(1) + ".txt");
        const QString report = readText(base + ".txt");
        const QString time = "(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)";
        const QRegularExpressionMatch lines =
            QRegularExpression(
                "^" +
                QRegularExpression::escape(QStringList{base + ".dmp", "Brantel", applicationName, "v1.1.0",
                                                       QFileInfo(CRASH_VICTIM_PATH).canonicalFilePath()}
                                               .join('\n')) +
                "\nStartTime:" + time + "\nCurrentTime:" + time + "\n$")
                .match(report);
        EXPECT_TRUE(lines.hasMatch()) << report.toStdString();
        EXPECT_LE(lines.captured(1), lines.captured(2));
        QStringList reportLines = report.split('\n');
        reportLines.removeLast();
        return {readText(base + ".dmp"), reportLines};
    }

    QTemporaryDir m_workDir;
    const QString m_crashDir = m_workDir.path() + "/crash/preview";
    const QString m_reporterOutput = m_workDir.path() + "/reporter-arguments.txt";
};

// Each way of crashing leaves a dump and a report naming the signal and the crashing function, with the
// details of the fault; a reporter program receives the report's lines. A normal exit leaves no files.
TEST_F(CrashVictimTest, EachCrashWritesDumpAndReport)
{
    const QString reporter = m_workDir.path() + "/reporter.sh";
    QFile script(reporter);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$REPORTER_OUTPUT\"\n");
    script.close();
    ASSERT_TRUE(
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const struct
    {
        const char* mode;
        int signal;
        const char* function;
        QStringList inDump = {};
        QStringList options = {};
        QStringList notInDump = {};
        const char* application = "crash_victim";
    } cases[] = {
        {"segv",
         SIGSEGV,
         "victimCrashSegv",
         {"fault address: 0x0000000000000000", "(SEGV_MAPERR)", "(main thread)", "<- interrupted here"}},
        {"abort", SIGABRT, "victimCrashAbort"},
        {"fpe", SIGFPE, "victimCrashFpe", {"(FPE_INTDIV)"}},
#if defined(__x86_64__) || defined(__i386__)
        {"ill", SIGILL, "victimCrashIll"},
#endif
        {"bus", SIGBUS, "victimCrashBus"},
        // A raised signal still ends the process.
        {"raise-segv", SIGSEGV, "victimRaiseSegv", {"(SI_TKILL)"}},
        // A thread without an alternate stack.
        {"thread-segv", SIGSEGV, "victimCrashSegv", {}, {}, {"(main thread)"}},
        // A stack overflow is handled on the alternate stack.
        {"overflow", SIGSEGV, "victimRecurse"},
        // Armed before the application exists, the report takes the name given later.
        {"segv", SIGSEGV, "victimCrashSegv", {}, {"--early", "--name", "renamed"}, {}, "renamed"},
        // The handler gives up waiting after a while and ends the process of the original signal.
        {"segv", SIGSEGV, "victimCrashSegv", {}, {"--hang-in-callback"}},
        {"segv", SIGSEGV, "victimCrashSegv", {}, {"--reporter", reporter}},
        {"none", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode + (" " + c.options.join(' ')).toStdString());
        QDir(m_crashDir).removeRecursively(); // one dump and one report per crash
        const VictimRun run = crash(c.mode, c.options);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.crashed == (c.signal != 0) && run.code == c.signal) << run.code << "\n"
                                                                            << run.output.toStdString();
        if (!c.signal) {
            EXPECT_TRUE(QFileInfo(m_crashDir).isDir());
            EXPECT_TRUE(QDir(m_crashDir).isEmpty());
            EXPECT_TRUE(run.output.contains("NQExceptionHandler::~NQExceptionHandler"))
                << run.output.toStdString();
            continue;
        }
        EXPECT_TRUE(run.output.contains("crash callback called")) << run.output.toStdString();
        EXPECT_FALSE(run.output.contains("survived the crash"));
        const auto [dump, reportLines] = crashFiles(c.application);
        if (c.options.contains("--reporter")) {
            EXPECT_EQ(readText(m_reporterOutput).split('\n'), reportLines.mid(0, 5) + QStringList{""});
        }
        const QString signal = QString("signal: %1 (SIG%2)").arg(c.signal).arg(sigabbrev_np(c.signal));
        for (const QString& text :
             QStringList{signal, "raw backtrace", "symbolized backtrace", "end of dump", c.function} +
                 c.inDump)
            EXPECT_TRUE(dump.contains(text)) << text.toStdString() << " not in\n" << dump.toStdString();
        for (const QString& text : c.notInDump)
            EXPECT_FALSE(dump.contains(text)) << dump.toStdString();
    }
}

// The handler and the flags a program sets for each handled signal (the kernel adds a restorer flag of its
// own), and the alternate stack.
struct Actions
{
    std::vector<std::pair<int, void*>> handlers;
    stack_t stack{};
    Actions()
    {
        for (int sig : kHandledSignals) {
            struct sigaction a = {};
            ::sigaction(sig, nullptr, &a);
            const int flags = a.sa_flags & (SA_SIGINFO | SA_ONSTACK | SA_RESTART | SA_NODEFER | SA_RESETHAND);
            handlers.emplace_back(flags, (a.sa_flags & SA_SIGINFO) ? reinterpret_cast<void*>(a.sa_sigaction)
                                                                   : reinterpret_cast<void*>(a.sa_handler));
        }
        ::sigaltstack(nullptr, &stack);
    }
    bool operator==(const Actions& o) const
    {
        const bool disabled = stack.ss_flags & SS_DISABLE;
        return handlers == o.handlers && disabled == bool(o.stack.ss_flags & SS_DISABLE) &&
               (disabled || (stack.ss_sp == o.stack.ss_sp && stack.ss_size == o.stack.ss_size));
    }
};

// No folder, one that cannot be made, a path naming a file: not armed, said once, and the signal actions
// stay as they were. Armed on a folder it makes (parents too): the five handlers go to one handler on an
// alternate stack; a second handler is refused and leaves them alone; destruction restores actions and
// stack, and a new handler (with or without a callback) arms again.
TEST(CrashHandlerSetup, ArmsOnAUsableFolderOnceAndRestoresOnDestruction)
{
    QTemporaryDir dir;
    const Actions before;
    const QString file = dir.path() + "/plain-file";
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    for (const QString& folder : {QString(), QString("/proc/nqexceptionhandler-test/crash"), file}) {
        SCOPED_TRACE(folder.toStdString());
        MessageCapture capture;
        {
            NQExceptionHandler handler(folder, QString(), true, "v1.1.0", "Brantel", &noCallback);
            EXPECT_FALSE(handler.armed());
            EXPECT_EQ(g_messages.count("NQExceptionHandler initialization failed!"), 1);
        }
        EXPECT_TRUE(g_messages.contains("NQExceptionHandler::~NQExceptionHandler"));
        EXPECT_TRUE(Actions() == before);
    }
    const QString folder = dir.path() + "/a/b/c";
    for (bool withCallback : {true, false}) {
        SCOPED_TRACE(withCallback);
        {
            NQExceptionHandler handler(folder, QString(), withCallback, "v1.1.0", "Brantel",
                                       withCallback ? &noCallback : nullptr);
            ASSERT_TRUE(handler.armed());
            EXPECT_TRUE(QFileInfo(folder).isDir());
            const Actions during;
            for (size_t i = 0; i < during.handlers.size(); ++i) {
                EXPECT_NE(during.handlers[i], before.handlers[i]) << "signal " << kHandledSignals[i];
                EXPECT_EQ(during.handlers[i].first & (SA_SIGINFO | SA_ONSTACK), SA_SIGINFO | SA_ONSTACK);
                EXPECT_EQ(during.handlers[i].second, during.handlers[0].second);
            }
            EXPECT_FALSE(during.stack.ss_flags & SS_DISABLE);
            EXPECT_GE(during.stack.ss_size, 64u * 1024u);
            {
                MessageCapture capture;
                NQExceptionHandler second(folder + "/other", QString(), true, "v1.1.0", "Brantel",
                                          &noCallback);
                EXPECT_FALSE(second.armed());
                EXPECT_TRUE(g_messages.contains("NQExceptionHandler initialization failed!"));
            }
            EXPECT_TRUE(handler.armed());
            EXPECT_TRUE(Actions() == during);
        }
        EXPECT_TRUE(Actions() == before);
    }
}

} // namespace

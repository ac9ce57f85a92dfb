// Tests of NQExceptionHandler: set-up failures and signal bookkeeping in this process, and the files
// written by crash_victim, a program that crashes on purpose.

#include "crash/nqexceptionhandler.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

#include <csignal>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>

#ifndef CRASH_VICTIM_PATH
#error "CRASH_VICTIM_PATH must name the crash_victim program"
#endif

namespace {

using dorvo_preview::NQExceptionHandler;

const int kHandledSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

void noCallback() {}

// ---- capture of Qt debug messages ------------------------------------------------------------------

QStringList g_messages;

void collectMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_messages << message;
}

class MessageCapture
{
public:
    MessageCapture() : m_previous(qInstallMessageHandler(&collectMessage)) { g_messages.clear(); }
    ~MessageCapture() { qInstallMessageHandler(m_previous); }
    const QStringList& messages() const { return g_messages; }

private:
    QtMessageHandler m_previous;
};

// ---- running the victim ------------------------------------------------------------------------------

struct VictimRun
{
    bool timedOut = false;
    bool crashed = false;
    int code = 0; // the exit code, or the signal that ended it
    QString output;
};

// Runs crash_victim with args (without core files: the limit is inherited) and the sanitizer options of a
// crashing program, with extraEnvironment ("NAME=value") added; its output and errors are collected.
VictimRun runVictim(const QStringList& args, const QStringList& extraEnvironment = QStringList())
{
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // The sanitizers leave the fatal signals to the handler; the thread sanitizer is told that the handler
    // knowingly leaves async-signal-safe ground once the dump header and the report are written.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const std::pair<QString, QString> sanitizerOptions[] = {
        {"ASAN_OPTIONS", "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0:"
                         "allow_user_segv_handler=1:detect_leaks=0"},
        {"TSAN_OPTIONS", "report_signal_unsafe=0"},
    };
    for (const auto& option : sanitizerOptions)
        env.insert(option.first, env.contains(option.first) ? env.value(option.first) + ":" + option.second
                                                            : option.second);
    for (const QString& variable : extraEnvironment)
        env.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess victim;
    victim.setProcessEnvironment(env);
    victim.setProcessChannelMode(QProcess::MergedChannels);
    victim.start(QStringLiteral(CRASH_VICTIM_PATH), args);
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

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString victimFilePath()
{
    return QFileInfo(QStringLiteral(CRASH_VICTIM_PATH)).canonicalFilePath();
}

struct CrashFiles
{
    QString dumpPath;
    QString reportPath;
    QStringList reportLines;
    QString dump;
};

// Checks that folder holds exactly one "<uuid>.dmp" and one "<uuid>.txt" with the same UUID, and that the
// report has the expected lines; returns the files' contents for further checks.
CrashFiles checkCrashFiles(const QString& folder, const QString& applicationName)
{
    CrashFiles files;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(entries.size(), 2) << entries.join(QLatin1Char(' ')).toStdString();
    if (entries.size() != 2)
        return files;

    const QRegularExpression uuidName(
        QStringLiteral("^([0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12})\\.dmp$"));
    const QRegularExpressionMatch match = uuidName.match(entries.at(0));
    EXPECT_TRUE(match.hasMatch()) << entries.at(0).toStdString();
    if (!match.hasMatch())
        return files;
    const QString uuid = match.captured(1);
    EXPECT_EQ(entries.at(1), uuid + QStringLiteral(".txt"));

    files.dumpPath = folder + QLatin1Char('/') + uuid + QStringLiteral(".dmp");
    files.reportPath = folder + QLatin1Char('/') + uuid + QStringLiteral(".txt");
    files.dump = readText(files.dumpPath);

    const QString report = readText(files.reportPath);
    EXPECT_TRUE(report.endsWith(QLatin1Char('\n')));
    files.reportLines = report.split(QLatin1Char('\n'));
    if (!files.reportLines.isEmpty() && files.reportLines.last().isEmpty())
        files.reportLines.removeLast();
    EXPECT_EQ(files.reportLines.size(), 7) << report.toStdString();
    if (files.reportLines.size() != 7)
        return files;

    EXPECT_EQ(files.reportLines.at(0), files.dumpPath);
    EXPECT_EQ(files.reportLines.at(1), QStringLiteral("Brantel"));
    EXPECT_EQ(files.reportLines.at(2), applicationName);
    EXPECT_EQ(files.reportLines.at(3), QStringLiteral("v1.1.0"));
    EXPECT_EQ(files.reportLines.at(4), victimFilePath());

    const QRegularExpression startTime(
        QStringLiteral("^StartTime:(\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2})$"));
    const QRegularExpression currentTime(
        QStringLiteral("^CurrentTime:(\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2})$"));
    const QRegularExpressionMatch start = startTime.match(files.reportLines.at(5));
    const QRegularExpressionMatch current = currentTime.match(files.reportLines.at(6));
    EXPECT_TRUE(start.hasMatch()) << files.reportLines.at(5).toStdString();
    EXPECT_TRUE(current.hasMatch()) << files.reportLines.at(6).toStdString();
    if (start.hasMatch() && current.hasMatch()) {
        EXPECT_LE(start.captured(1), current.captured(1));
    }
    return files;
}

class CrashVictimTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_workDir.isValid());
        // A folder the handler has to create, parents included.
        m_crashDir = m_workDir.path() + QStringLiteral("/crash/preview");
    }

    VictimRun crash(const QString& mode, const QStringList& options = QStringList(),
                    const QStringList& extraEnvironment = QStringList())
    {
        return runVictim(QStringList{m_crashDir, mode} + options, extraEnvironment);
    }

    // Runs the victim in mode and checks that it died of sig and left a dump naming the signal, with
    // function among the frames.
    CrashFiles expectCrash(const QString& mode, int sig, const char* signalName, const char* function,
                           const QStringList& options = QStringList(),
                           const QString& applicationName = QStringLiteral("crash_victim"))
    {
        const VictimRun run = crash(mode, options);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.crashed && run.code == sig) << run.code << "\n" << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(QStringLiteral("crash callback called"))) << run.output.toStdString();
        EXPECT_FALSE(run.output.contains(QStringLiteral("survived the crash")));

        CrashFiles files = checkCrashFiles(m_crashDir, applicationName);
        EXPECT_TRUE(
            files.dump.contains(QStringLiteral("signal: %1 (%2)").arg(sig).arg(QLatin1String(signalName))))
            << files.dump.toStdString();
        EXPECT_TRUE(files.dump.contains(QStringLiteral("raw backtrace"))) << files.dump.toStdString();
        EXPECT_TRUE(files.dump.contains(QStringLiteral("symbolized backtrace"))) << files.dump.toStdString();
        EXPECT_TRUE(files.dump.contains(QStringLiteral("end of dump"))) << files.dump.toStdString();
        EXPECT_TRUE(files.dump.contains(QLatin1String(function))) << files.dump.toStdString();
        return files;
    }

    QTemporaryDir m_workDir;
    QString m_crashDir;
};

// ---- the victim ----------------------------------------------------------------------------------------

// Each way of crashing leaves a dump and a report naming the signal and the
// crashing function, with the details of the fault.
TEST_F(CrashVictimTest, EachCrashWritesDumpAndReport)
{
    const struct
    {
        const char* mode;
        int signal;
        const char* name;
        const char* function;
        std::vector<const char*> inDump;
        std::vector<const char*> notInDump;
        QStringList options = {};
        const char* application = "crash_victim";
    } cases[] = {
        {"segv",
         SIGSEGV,
         "SIGSEGV",
         "victimCrashSegv",
         {"fault address: 0x0000000000000000", "(SEGV_MAPERR)", "(main thread)", "<- interrupted here"},
         {}},
        {"abort", SIGABRT, "SIGABRT", "victimCrashAbort", {}, {}},
        {"fpe", SIGFPE, "SIGFPE", "victimCrashFpe", {"(FPE_INTDIV)"}, {}},
#if defined(__x86_64__) || defined(__i386__)
        {"ill", SIGILL, "SIGILL", "victimCrashIll", {}, {}},
#endif
        {"bus", SIGBUS, "SIGBUS", "victimCrashBus", {}, {}},
        // A raised signal still ends the process.
        {"raise-segv", SIGSEGV, "SIGSEGV", "victimRaiseSegv", {"(SI_TKILL)"}, {}},
        // A thread without an alternate stack.
        {"thread-segv", SIGSEGV, "SIGSEGV", "victimCrashSegv", {}, {"(main thread)"}},
        // A stack overflow is handled on the alternate stack.
        {"overflow", SIGSEGV, "SIGSEGV", "victimRecurse", {}, {}},
        // Armed before the application exists, the report takes the name given later.
        {"segv",
         SIGSEGV,
         "SIGSEGV",
         "victimCrashSegv",
         {},
         {},
         {"--early", "--name", "renamed_victim"},
         "renamed_victim"},
        // The handler gives up waiting after a while and ends the process of the original signal.
        {"segv", SIGSEGV, "SIGSEGV", "victimCrashSegv", {}, {}, {"--hang-in-callback"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode + (" " + c.options.join(' ')).toStdString());
        QDir(m_crashDir).removeRecursively(); // one dump and one report per crash
        const CrashFiles files = expectCrash(QString::fromLatin1(c.mode), c.signal, c.name, c.function,
                                             c.options, QString::fromLatin1(c.application));
        for (const char* text : c.inDump)
            EXPECT_TRUE(files.dump.contains(QString::fromLatin1(text))) << files.dump.toStdString();
        for (const char* text : c.notInDump)
            EXPECT_FALSE(files.dump.contains(QString::fromLatin1(text))) << files.dump.toStdString();
    }
}

TEST_F(CrashVictimTest, ReporterReceivesTheReportLines)
{
    const QString reporter = m_workDir.path() + QStringLiteral("/reporter.sh");
    const QString reporterOutput = m_workDir.path() + QStringLiteral("/reporter-arguments.txt");
    {
        QFile script(reporter);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$REPORTER_OUTPUT\"\n");
    }
    ASSERT_TRUE(QFile::setPermissions(reporter, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner));

    const VictimRun run = crash(QStringLiteral("segv"), QStringList{QStringLiteral("--reporter"), reporter},
                                QStringList{QStringLiteral("REPORTER_OUTPUT=") + reporterOutput});
    EXPECT_TRUE(run.crashed && run.code == SIGSEGV) << run.output.toStdString();

    const CrashFiles files = checkCrashFiles(m_crashDir, QStringLiteral("crash_victim"));
    ASSERT_EQ(files.reportLines.size(), 7);
    QStringList arguments = readText(reporterOutput).split(QLatin1Char('\n'));
    if (!arguments.isEmpty() && arguments.last().isEmpty())
        arguments.removeLast();
    EXPECT_EQ(arguments, files.reportLines.mid(0, 5));
}

TEST_F(CrashVictimTest, NormalExitLeavesNoFiles)
{
    const VictimRun run = crash(QStringLiteral("none"));
    EXPECT_TRUE(!run.crashed && run.code == 0) << run.code << "\n" << run.output.toStdString();
    EXPECT_TRUE(QFileInfo(m_crashDir).isDir());
    EXPECT_TRUE(QDir(m_crashDir).isEmpty());
    EXPECT_TRUE(run.output.contains(QStringLiteral("NQExceptionHandler::~NQExceptionHandler")))
        << run.output.toStdString();
}

// ---- set-up in this process ----------------------------------------------------------------------

// Compares the handler and the flags a program sets (the kernel adds a restorer flag of its own).
bool sameAction(const struct sigaction& a, const struct sigaction& b)
{
    const int flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART | SA_NODEFER | SA_RESETHAND;
    if ((a.sa_flags & flags) != (b.sa_flags & flags))
        return false;
    return (a.sa_flags & SA_SIGINFO) ? a.sa_sigaction == b.sa_sigaction : a.sa_handler == b.sa_handler;
}

std::vector<struct sigaction> currentActions()
{
    std::vector<struct sigaction> actions;
    for (int sig : kHandledSignals) {
        struct sigaction action = {};
        ::sigaction(sig, nullptr, &action);
        actions.push_back(action);
    }
    return actions;
}

class CrashHandlerSetupTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_workDir.isValid()); }

    QTemporaryDir m_workDir;
};

// No folder, one that cannot be made, a path naming a file: not armed, said
// once, and the signal actions stay as they were.
TEST_F(CrashHandlerSetupTest, UnusableFolderIsNotArmed)
{
    const QString file = m_workDir.path() + QStringLiteral("/plain-file");
    {
        QFile plain(file);
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    for (const QString& folder : {QString(), QStringLiteral("/proc/nqexceptionhandler-test/crash"), file}) {
        SCOPED_TRACE(folder.toStdString());
        const std::vector<struct sigaction> before = currentActions();
        MessageCapture capture;
        {
            NQExceptionHandler handler(folder, QString(), true, QStringLiteral("v1.1.0"),
                                       QStringLiteral("Brantel"), &noCallback);
            EXPECT_FALSE(handler.armed());
            EXPECT_EQ(capture.messages().count(QStringLiteral("NQExceptionHandler initialization failed!")),
                      1);
        }
        EXPECT_TRUE(capture.messages().contains(QStringLiteral("NQExceptionHandler::~NQExceptionHandler")));
        const std::vector<struct sigaction> after = currentActions();
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(sameAction(before[i], after[i])) << "signal " << kHandledSignals[i];
    }
}

// Armed on a folder it makes (parents too): the five signals go to one handler on an alternate stack; a
// second handler is refused and leaves them alone; destruction restores actions and stack, and a new
// handler (with or without a callback) arms again.
TEST_F(CrashHandlerSetupTest, ArmsOnceAndRestoresOnDestruction)
{
    const std::vector<struct sigaction> before = currentActions();
    stack_t stackBefore{};
    ASSERT_EQ(::sigaltstack(nullptr, &stackBefore), 0);
    const QString folder = m_workDir.path() + QStringLiteral("/a/b/c");
    for (bool withCallback : {true, false}) {
        SCOPED_TRACE(withCallback);
        {
            NQExceptionHandler handler(folder, QString(), withCallback, QStringLiteral("v1.1.0"),
                                       QStringLiteral("Brantel"), withCallback ? &noCallback : nullptr);
            ASSERT_TRUE(handler.armed());
            EXPECT_TRUE(QFileInfo(folder).isDir());
            const std::vector<struct sigaction> during = currentActions();
            for (size_t i = 0; i < during.size(); ++i) {
                EXPECT_FALSE(sameAction(before[i], during[i])) << "signal " << kHandledSignals[i];
                EXPECT_EQ(during[i].sa_flags & (SA_SIGINFO | SA_ONSTACK), SA_SIGINFO | SA_ONSTACK);
                EXPECT_EQ(during[i].sa_sigaction, during[0].sa_sigaction);
            }
            stack_t stack{};
            ASSERT_EQ(::sigaltstack(nullptr, &stack), 0);
            EXPECT_FALSE(stack.ss_flags & SS_DISABLE);
            EXPECT_GE(stack.ss_size, 64u * 1024u);
            {
                MessageCapture capture;
                NQExceptionHandler second(folder + QStringLiteral("/other"), QString(), true,
                                          QStringLiteral("v1.1.0"), QStringLiteral("Brantel"), &noCallback);
                EXPECT_FALSE(second.armed());
                EXPECT_TRUE(
                    capture.messages().contains(QStringLiteral("NQExceptionHandler initialization failed!")));
            }
            EXPECT_TRUE(handler.armed());
            const std::vector<struct sigaction> stillArmed = currentActions();
            for (size_t i = 0; i < during.size(); ++i)
                EXPECT_TRUE(sameAction(during[i], stillArmed[i])) << "signal " << kHandledSignals[i];
        }
        const std::vector<struct sigaction> after = currentActions();
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_TRUE(sameAction(before[i], after[i])) << "signal " << kHandledSignals[i];
        stack_t stackAfter{};
        ASSERT_EQ(::sigaltstack(nullptr, &stackAfter), 0);
        EXPECT_EQ(stackAfter.ss_flags & SS_DISABLE, stackBefore.ss_flags & SS_DISABLE);
        if (!(stackBefore.ss_flags & SS_DISABLE)) {
            EXPECT_EQ(stackAfter.ss_sp, stackBefore.ss_sp);
            EXPECT_EQ(stackAfter.ss_size, stackBefore.ss_size);
        }
    }
}

} // namespace

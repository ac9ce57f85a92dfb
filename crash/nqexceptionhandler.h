#pragma once

#include <QString>

namespace dorvo_preview {

// Writes a crash dump and a crash report into a folder when the process dies of SIGSEGV, SIGBUS, SIGILL,
// SIGFPE or SIGABRT, optionally launches a reporter program, and then lets the process die of the same
// signal as it would have without the handler.
//
// For each crash two files named after a fresh version-4 UUID are written into the crash folder:
//   <uuid>.dmp  a text dump: signal, code, faulting address, thread, raw and symbolized backtrace
//   <uuid>.txt  the report: dump path, organisation, application name, version, application path,
//               "StartTime:..." and "CurrentTime:..." lines
// The reporter, when launched, receives the first five report lines as its arguments.
//
// Only one handler can be armed in a process at a time; the settings it keeps are process-wide. The
// alternate signal stack used for stack overflows is installed for the constructing thread only; crashes
// on other threads are handled on their own stack.
class NQExceptionHandler
{
public:
    using UserCallback = void (*)();

    NQExceptionHandler(const QString& crashDir, const QString& reporterPath, bool launchReporter,
                       const QString& version, const QString& organisation, UserCallback callback);
    ~NQExceptionHandler();

    // True after a successful set-up, until destruction.
    bool armed() const;

    NQExceptionHandler(const NQExceptionHandler&) = delete;
    NQExceptionHandler& operator=(const NQExceptionHandler&) = delete;

private:
    bool m_armed = false;
};

} // namespace dorvo_preview

#include "process.h"

#include <sys/resource.h>

#include <csignal>

namespace forms::testing {

Child::~Child()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished();
    }
}

Child& Child::unset(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        environment_.remove(QString::fromLatin1(name));
    return *this;
}

bool Child::start()
{
    process_->setProcessEnvironment(environment_);
    process_->setChildProcessModifier([setUp = setUp_] {
        std::signal(SIGPIPE, SIG_DFL);
        const rlimit noCore { 0, 0 };
        setrlimit(RLIMIT_CORE, &noCore);
        if (setUp)
            setUp();
    });
    process_->start(program_, arguments_);
    return process_->waitForStarted();
}

Ended Child::run(std::chrono::milliseconds limit)
{
    start();
    const bool finished = process_->waitForFinished(int(limit.count()));
    if (!finished) {
        process_->kill();
        process_->waitForFinished();
    }
    return { finished, process_->exitCode(), process_->exitStatus() == QProcess::CrashExit,
             QString::fromLocal8Bit(process_->readAllStandardOutput()),
             QString::fromLocal8Bit(process_->readAllStandardError()) };
}

void Child::stop()
{
    if (process_->state() == QProcess::NotRunning)
        return;
    process_->terminate();
    if (!process_->waitForFinished(30000)) {
        process_->kill();
        process_->waitForFinished();
    }
}

}  // namespace forms::testing

// A program run in a child process, as a shell starts it: in the test's
// environment less what a test takes away, with SIGPIPE at its default and no
// core file, and what it writes kept.
//
//     const Ended end = Child(program, { "--help" }).unset({ "DISPLAY" }).run();
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>

namespace forms::testing {

struct Ended {
    bool finished = false;  // ended within the limit (otherwise it was killed)
    int status = -1;        // exit status
    bool crashed = true;    // ended by a signal
    QString out;            // what it wrote to stdout
    QString errors;         // what it wrote to stderr
};

class Child {
public:
    explicit Child(QString program, QStringList arguments = {})
        : program_(std::move(program)), arguments_(std::move(arguments)) {}
    Child(Child&&) = default;
    ~Child();  // kills it if it still runs

    Child& unset(std::initializer_list<const char*> names);
    Child& set(const QString& name, const QString& value) { return environment_.insert(name, value), *this; }
    // Runs in the child just before the program starts.
    Child& inChild(std::function<void()> setUp) { return setUp_ = std::move(setUp), *this; }
    Child& stdoutTo(const QString& file) { return process_->setStandardOutputFile(file), *this; }

    // Runs it to its end; kills it after `limit`.
    Ended run(std::chrono::milliseconds limit = std::chrono::seconds(60));

    // Starts it and leaves it running; false when it could not start.
    bool start();
    // Asks it to end (SIGTERM) and waits for it.
    void stop();
    QProcess& process() { return *process_; }

private:
    QString program_;
    QStringList arguments_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    std::function<void()> setUp_;
    std::unique_ptr<QProcess> process_ = std::make_unique<QProcess>();
};

}  // namespace forms::testing

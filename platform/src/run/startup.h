// What run() makes sure of before Qt starts: sound standard descriptors and a
// display the program can open.
#pragma once

#include <QByteArray>
#include <QString>

namespace forms {

// Opens /dev/null on whichever of descriptors 0, 1 and 2 is closed, so that no
// file opened later takes their place, and makes a write to a pipe nobody
// reads fail with EPIPE instead of ending the program.
void prepareStandardDescriptors();

// Whether the window system Qt is about to use can be reached. Only X11 and
// Wayland are checked; a platform chosen otherwise (offscreen, vnc, ...) is
// left to Qt. Where the user chose no platform and only one of X11 and Wayland
// answers, that one is chosen for Qt.
class DisplayCheck {
public:
    DisplayCheck(int argc, char** argv);
    // Closes the probe connection: only once Qt has its own, since an X server
    // that resets when its last client leaves turns away whoever comes next.
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    bool reachable() const { return problem_.isEmpty(); }
    // What could not be opened and which variable to check, as one line.
    QString problem() const { return problem_; }

private:
    bool openX11(const QByteArray& name);

    void* xcb_ = nullptr;         // libxcb, loaded only to probe
    void* connection_ = nullptr;  // the probe's X connection
    QString problem_;
};

}  // namespace forms

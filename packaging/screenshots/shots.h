// The screenshots of the programs' windows: each program runs on a manual clock,
// is driven through real events to the state shown, and is grabbed at scale 1.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace screenshots {

struct Shot {
    QString name;  // the file name, without ".png"
    std::function<QImage()> render;
};

// Every screenshot the registry names, in its order: each program's window as
// it starts, then the state it reaches when used, where it has one.
std::vector<Shot> all();

// The fixed setting that makes renders the same on every run: the offscreen
// platform at scale 1 with no desktop theme, before the QApplication exists...
void prepareEnvironment();
// ...and a fixed locale and a text cursor that does not blink, after.
void prepareApplication();

}  // namespace screenshots

#include "forms/form.h"

#include <QApplication>

namespace forms {

int run(int argc, char** argv, const std::function<std::unique_ptr<Form>()>& make)
{
    QApplication app(argc, argv);
    const std::unique_ptr<Form> form = make();
    form->load();
    form->show();
    if (form->exitStatus())
        return *form->exitStatus();
    return QApplication::exec();
}

}  // namespace forms

// The window's option buttons as one accessible group: a panel named by the
// label above them, so that a screen reader entering the group, or asked where
// the user is, says the question with the answer.
#pragma once

#include "forms/controls.h"

#include <QAccessibleInterface>
#include <QPointer>

#include <functional>
#include <vector>

namespace forms {

class Surface;

namespace accessibility {

class OptionGroup final : public QAccessibleInterface {
public:
    // `options`: the window's option buttons, in reading order.
    OptionGroup(Surface* surface, std::function<std::vector<const Control*>()> options);

    bool isValid() const override { return !surface_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    // The option buttons, in reading order.
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override { return {}; }
    // Where the option buttons stand, together.
    QRect rect() const override;

private:
    QPointer<Surface> surface_;
    const std::function<std::vector<const Control*>()> options_;
    const QString name_;
};

}  // namespace accessibility
}  // namespace forms

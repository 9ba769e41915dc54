#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

// One form or dialog of the three programs, shown as its user sees it, with
// whatever it needs (a home of its own, the program's application object).
class ShownForm {
public:
    virtual ~ShownForm() = default;
    // The top-level window the form is in.
    virtual QWidget* Window() const = 0;
};

struct FormCase {
    QString name;
    std::function<std::unique_ptr<ShownForm>()> show;
};

// Every dialog and form template of Wordwell, Setup and Ridwell. Wordwell's
// testing form is shown with a test running, so that Listen, the answer and
// CHECK are enabled.
QList<FormCase> EveryForm();

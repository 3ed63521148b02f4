// Controls of the claim and bill line windows, created at their places in
// twips and named as the windows' procedures name them.
#pragma once

#include "shell/basreimbursement.h"

#include <QLatin1String>
#include <QWidget>

namespace ZQ5Reimbursement {

template <class Control>
Control* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return control;
}

}  // namespace ZQ5Reimbursement

// Controls of the module's windows, created at their places in twips and
// named as the windows' procedures name them, in the windows' own font.
#pragma once

#include "basreimbursement.h"

#include <QLabel>
#include <QLatin1String>
#include <QWidget>

namespace ZQ5Reimbursement {

template <class Control>
Control* placed(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return control;
}

template <class Control>
Control* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    return placed(new Control(parent), name, left, top, width, height);
}

// The windows' layouts are measured for an 8-point sans serif of Arial's widths.
void useFormFont(QWidget* window);

// Sets a label's caption; a label too small for it grows, so no caption is cut.
void setCaption(QLabel* label, const QString& caption);

// A label at its place, with its caption.
QLabel* placeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                   int height);

}  // namespace ZQ5Reimbursement

#include "formcontrols.h"

#include <algorithm>

namespace ZQ5Reimbursement {

void useFormFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), font.family()});
    font.setPointSize(8);
    window->setFont(font);
}

void setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    // Measured as shown: an "&" marks the shortcut of the label's buddy, which
    // may be given only after the caption.
    const QMargins margins = label->contentsMargins();
    const QSize shown = label->fontMetrics().size(Qt::TextShowMnemonic, caption) +
                        QSize(margins.left() + margins.right(), margins.top() + margins.bottom()) +
                        QSize(2 * label->margin(), 2 * label->margin());
    label->resize(std::max(shown.width(), label->width()), std::max(shown.height(), label->height()));
}

QLabel* placeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                   int height) {
    QLabel* label = place<QLabel>(parent, name, left, top, width, height);
    setCaption(label, caption);
    return label;
}

}  // namespace ZQ5Reimbursement

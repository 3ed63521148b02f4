#include "formcontrols.h"


namespace ZQ5Reimbursement {

void useFormFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), font.family()});
    font.setPointSize(8);
    window->setFont(font);
}

}  // namespace ZQ5Reimbursement

// The component's one public class. A host assigns the connection and its
// context values, then calls Show(), which runs the reimbursement register
// modally and returns when the user closes it.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <QDate>
#include <QString>

#include <cstdint>
#include <memory>
#include <string_view>

namespace ZQ5Reimbursement {

// Base of every object created by ProgID.
class ComObject {
public:
    virtual ~ComObject() = default;
};

class clsReimbursement : public ComObject {
public:
    // Never empty: without an assigned connection, reading it creates a new,
    // unopened one and keeps it.
    std::shared_ptr<adodb::Connection> adocon();
    void setadocon(std::shared_ptr<adodb::Connection> connection);

    QString MsgboxTitle() const { return msgboxTitle_; }
    void setMsgboxTitle(QString title) { msgboxTitle_ = std::move(title); }

    std::int32_t Intinterfaceid() const { return interfaceId_; }
    void setIntinterfaceid(std::int32_t id) { interfaceId_ = id; }

    QDate ProcessDate() const { return processDate_; }
    void setProcessDate(QDate date) { processDate_ = date; }

    std::int16_t intUserID() const { return userId_; }
    void setintUserID(std::int16_t id) { userId_ = id; }

    std::int16_t intCompanyID() const { return companyId_; }
    void setintCompanyID(std::int16_t id) { companyId_ = id; }

    // Copies the values into the host context and shows the register
    // modally; works with or without a QApplication in the host. A failure to
    // open the register reaches the caller as an exception.
    void Show();

private:
    std::shared_ptr<adodb::Connection> connection_;
    QString msgboxTitle_;
    std::int32_t interfaceId_ = 0;
    QDate processDate_;
    std::int16_t userId_ = 0;
    std::int16_t companyId_ = 0;
};

// Creates the object registered under `progId` ("ZQ5Reimbursement.clsReimbursement",
// "CommonModule.clsCommonDB", "CommonModule.clsCommonGen"); raises
// adodb::Error when no such class can be created.
std::shared_ptr<ComObject> createComObject(std::string_view progId);

template <class T = clsReimbursement>
std::shared_ptr<T> createObject(std::string_view progId) {
    auto object = std::dynamic_pointer_cast<T>(createComObject(progId));
    if (!object)
        throw adodb::Error(13, QStringLiteral("ZQ5Reimbursement"), QStringLiteral("Type mismatch"));
    return object;
}

}  // namespace ZQ5Reimbursement

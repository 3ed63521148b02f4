#include "context.h"

namespace ZQ5Reimbursement {

Context& Context::instance() {
    static Context context;
    return context;
}

const std::shared_ptr<adodb::Connection>& Context::gAdoCon() {
    if (!connection_)
        connection_ = std::make_shared<adodb::Connection>();
    return connection_;
}

}  // namespace ZQ5Reimbursement

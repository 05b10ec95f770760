#include "state/customeredit.h"

namespace {
CustomerEdit theCustomerEdit;
}

CustomerEdit& customerEdit() {
    return theCustomerEdit;
}

void resetCustomerEdit() {
    theCustomerEdit = CustomerEdit{};
}

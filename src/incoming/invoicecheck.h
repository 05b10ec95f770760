#pragma once
// The check of a received invoice: what EN 16931 requires is there, and its arithmetic holds,
// computed from the numbers exactly as written. A finding never keeps the invoice from being shown.

#include "incoming/receivedinvoice.h"

#include <string>
#include <vector>

namespace incoming {

/// Every finding, in this order: values the reader could not take; mandatory fields that are
/// missing (BT-1, 2, 3, 5, 27, 44, per line BT-126, 129, 131, 153, then BT-106, 109, 112, 115);
/// lines whose net amount is not quantity × price / base quantity less allowances plus charges
/// (within 0,02); the sums BT-106, 107, 108 and 109; each VAT rate's BT-116 and BT-117; BT-110, BT-112
/// and BT-115. Empty when the invoice is in order.
std::vector<Finding> checkInvoice(const ReceivedInvoice& invoice);

/// The check's result line: "Rechnerisch geprüft: in Ordnung" or "Rechnerisch geprüft: 2 Befunde".
std::string checkHeadline(const std::vector<Finding>& findings);

} // namespace incoming

// Identifiers of actions that the model itself refers to.
#pragma once

const char kIdCustom[] = "Custom";
const char kIdDiskOpScan[] = "DiskOpScan";

// Identifiers of actions that the program itself refers to.
#pragma once

const char kIdCustom[] = "Custom";
const char kIdDiskOpScan[] = "DiskOpScan";
const char kIdDiskOpFreeSpace[] = "DiskOpFreeSpace";
const char kIdDiskOpRecycleBin[] = "DiskOpRecycleBin";
const char kIdMiscCleanRegistry[] = "MiscCleanRegistry";
const char kIdMiscDefragmentRegistry[] = "MiscDefragmentRegistry";
const char kIdIEPropWindowTitle[] = "IEPropWindowTitle";
const char kIdIEPropHomePage[] = "IEPropHomePage";

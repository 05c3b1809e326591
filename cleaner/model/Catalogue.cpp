#include "cleaner/model/Catalogue.h"

#include "cleaner/model/GeneralSettings.h"

void AddBuiltInActions(ActionMap&, const CGeneralSettings&) {}

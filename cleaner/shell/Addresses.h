// The maker's addresses shown in the About box and opened by the program.
// Shared by the code and the resource script, so plain literals only.
#pragma once

#define VELTRIN_PRODUCT_URL         "http://www.veltrin.example/"
#define VELTRIN_COMPANY_URL         "http://www.zr-software.example/"
#define VELTRIN_SUPPORT_EMAIL       "support@veltrin.example"
#define VELTRIN_PLUGINS_URL         "http://www.veltrin.example/plugins/"
// The update file and the problem report live below this address; the
// settings value "strServerUrl" puts another in its place.
#define VELTRIN_SERVER_URL          "http://www.veltrin.example"

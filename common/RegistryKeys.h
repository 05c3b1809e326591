// Where both programs keep their settings, below HKEY_CURRENT_USER.
#pragma once

const char kProductKey[] = "Software\\ZR\\VeltrinPRO";
const char kSettingsKey[] = "Software\\ZR\\VeltrinPRO\\Settings";

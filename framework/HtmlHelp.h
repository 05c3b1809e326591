// Pages of a compiled help file, shown by the system's help viewer.
#pragma once

#include <windows.h>

#include <string>

// Shows the topic, written "<help file>::/<page>"; false when the viewer is
// missing or does not show it. The viewer is loaded when first asked for,
// so that a program starts where it is not installed.
bool ShowHelpTopic(HWND hOwner, const std::string& strTopic);

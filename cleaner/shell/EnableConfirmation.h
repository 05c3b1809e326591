// The question that enabling a warning-level action asks, put through the
// program's own message box.
#pragma once

// Makes the action model ask the user through the message box.
void InstallEnableQuestion();

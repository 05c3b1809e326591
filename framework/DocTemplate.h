// What a program says about its kind of document, from one string resource
// of seven fields separated by "\n": window title, document name, name of
// new documents, file filter name, file extension, file type identifier and
// file type name ("\nPlugin\nPlugin\nPlugin Files (*.pld)\n.pld\n...").
#pragma once

#include <windows.h>

#include <string>

struct CDocTemplateStrings {
    std::string strWindowTitle;
    std::string strDocName;
    std::string strFileNewName;
    std::string strFilterName;
    std::string strFilterExt;
    std::string strFileTypeId;
    std::string strFileTypeName;

    // False when the resource is missing.
    bool Load(UINT nStringId);
    // The filter of the common file dialogs: this type, then all files.
    std::string FileDialogFilter() const;
};

// Registers the file type for the current user: the extension names the
// type, which the program opens ("program" "%1") and shows with its icon.
bool RegisterShellFileType(const CDocTemplateStrings& strings, const std::string& strProgram,
                           int nIconIndex);

// Asks for a file to open or a name to save under, with the type's filter;
// a name typed without extension gets the type's. Empty when cancelled.
std::string AskFileToOpen(HWND hOwner, const CDocTemplateStrings& strings);
std::string AskFileToSave(HWND hOwner, const CDocTemplateStrings& strings,
                          const std::string& strProposedName);

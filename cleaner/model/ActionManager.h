// The one owner of every action of the running cleaner, by identifier.
#pragma once

#include "cleaner/plugins/PluginAction.h"
#include "common/Action.h"

#include <map>
#include <string>

class CStopRequest;
class IChanges;
struct CGeneralSettings;

// Identifiers compare byte-wise and case-sensitively: std::string's ordering
// compares unsigned bytes, so upper-case letters sort before lower-case ones
// and a prefix sorts before its extensions. A clean runs in this order.
typedef std::map<std::string, CAction> ActionMap;
typedef std::map<std::string, CPluginAction> PluginMap;

// Gives the action what a clean takes from the general settings at its start
// when the action's identifier is one of those that have it: the drives of
// the disk operations and the command lines of the registry tools. Any other
// action stays as it is.
void PrepareForClean(CAction& action, const CGeneralSettings& settings);

class CActionManager {
public:
    // Builds the catalogue from the general settings, which must outlive the
    // manager: its destruction stores into them.
    explicit CActionManager(CGeneralSettings& settings);
    ~CActionManager();
    CActionManager(const CActionManager&) = delete;
    CActionManager& operator=(const CActionManager&) = delete;

    // The general settings the manager was built from.
    CGeneralSettings& GetSettings() const { return m_settings; }

    // The action with that identifier, inserted empty when there is none.
    CAction& GetAction(const std::string& strId);
    // Fills the vector with the plugin identifiers in order; returns its size.
    size_t GetPluginIds(StringVector& ids) const;

    // (Re)reads every plugin file of the plugin folder into m_plugins and
    // copies each plugin into m_actions under its name. Always true.
    bool LoadPlugins();

    // Whether a clean may start: false, with a message naming the action
    // and the program, when an enabled action would remove the data of a
    // browser, mail program or player that has a window open. Only the
    // first conflict found is reported; the message is left alone on true.
    bool CheckRunningApplications(std::string& strMessage) const;

    // A clean: every enabled action once, in identifier order, then the
    // summary; runs on the clean's worker thread. Returns true when the clean
    // is complete, which is when the caller tells the window it has finished.
    // A clean that the stop request ended early writes no summary and
    // returns false.
    bool RunCleaning(const CStopRequest& stop);
    // The same walk as a clean, which changes nothing: the log lists what the
    // clean would remove, action by action, and ends with the totals it
    // would reach. A preview that the stop request ended writes no totals
    // and returns false.
    bool RunPreview(const CStopRequest& stop);
    // Writes the totals of the last clean to the log.
    void PrintRunStatistics() const;
    // Writes the totals of the last preview, as what a clean would remove.
    void PrintPreviewStatistics() const;

    CleanStats m_stats;
    ActionMap m_actions;
    PluginMap m_plugins;

private:
    void BuildCatalogue();
    void SaveAll();

    // The walk of a clean or a preview: prepares the special actions, then
    // every enabled action in order; true when it was not stopped.
    bool RunActions(const CStopRequest& stop, IChanges& changes);

    void ApplyFirstRunDefaults();
    // The actions whose drives, commands or paths come from the general
    // settings get them at the start of every clean.
    void PrepareSpecialActions();
    // The masks of the disk scan live in a general setting between runs.
    void FillDiskScanMasks();
    void StoreDiskScanMasks();
    FileTarget* FindDiskScanTarget();

    CGeneralSettings& m_settings;
};

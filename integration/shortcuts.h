// Shortcuts to the installed simulator on the desktop and directly in the Start menu.
#ifndef CIRVANE_INTEGRATION_SHORTCUTS_H_
#define CIRVANE_INTEGRATION_SHORTCUTS_H_

#include <optional>
#include <string>
#include <string_view>

// What the finishing steps pass: both shortcuts are "Cirvane IV.lnk" and start qsim3.exe in the
// installation directory.
constexpr char kShortcutExecutableBase[] = "qsim3";
constexpr char kShortcutName[] = "Cirvane IV";
constexpr char kShortcutDescription[] = "Veltro Corporation's Cirvane IV";

// Makes the shortcut "<desktop folder>\<linkName>.lnk" to "<dir>\<exeBase>.exe", working in
// `dir`, with `description` unless it is empty. `linkPath` receives the shortcut's file name as
// soon as the folder is known and stays untouched when it is not. Nothing on success; otherwise
// a message text (also when the shell has no shortcut object to make it with).
std::optional<std::string> CreateDesktopLink(std::string* linkPath, std::string_view dir,
                                             std::string_view exeBase, std::string_view linkName,
                                             std::string_view description);

// The same in the Start-menu folder ("Start Menu", else "Common Start Menu", of the user's
// shell folders).
std::optional<std::string> CreateStartMenuLink(std::string* linkPath, std::string_view dir,
                                               std::string_view exeBase, std::string_view linkName,
                                               std::string_view description);

#endif  // CIRVANE_INTEGRATION_SHORTCUTS_H_

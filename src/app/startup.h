#pragma once
// Start-up without windows: folders, Keystrel.xml, texts, the open project.
#include <string>

#include "app/app_state.h"

namespace ks {

// Sets the four program folders from `program_dir` (no trailing separator)
// and creates MASTER, PROJECTS and LANGUAGE when missing (failures ignored).
void Init_Folders(AppState& st, const std::string& program_dir);

// Reads Keystrel.xml from Program_Dir into the persisted values; a missing or
// unparsable file gives all defaults, a missing value its own fallback.
void Read_Settings(AppState& st);

// Writes Keystrel.xml from the current state (atomically). Returns an empty
// string on success, else the error text.
std::string Save_Setting(const AppState& st);

// The whole window-free start-up: Init_Folders, Read_Settings, Load_Texts,
// the decision on the remembered project, Set_Files.
void Startup(AppState& st, const std::string& program_dir);

// The folder of the running executable, without trailing separator.
std::string Executable_Dir();

} // namespace ks

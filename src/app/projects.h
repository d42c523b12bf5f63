#pragma once
// Configuration projects: folders under PROJECTS.
#include <string>
#include <vector>

#include "app/app_state.h"

namespace ks {

// Recomputes the fourteen project file paths from Project_Path.
void Set_Files(AppState& st);

// Outcome of creating a project; the value is the text index of its message
// (0 on success).
enum class CreateResult { Ok = 0, Failed = 105, Exists = 106, Empty = 107 };

// True when `name` can only mean a folder directly inside Projects_Dir: not
// empty, not "." or "..", no "/" or "\" (on every system), no NUL, no drive
// or root.
bool Is_Plain_Project_Name(const std::string& name);

// Creates Projects_Dir/name and its bin folder and opens it. The name is taken
// as typed; one that is not plain is refused with Failed before anything is
// created.
CreateResult Create_Project(AppState& st, const std::string& name);

// The project folder names under `projects_dir` (plain files, ".", "..",
// hidden and system folders left out), sorted by their names upper-cased
// a-z only, then byte order, so the list does not depend on the file system.
std::vector<std::string> Load_Existing_Configuration(const std::string& projects_dir);

// Index of the first entry equal to `name` after upper-casing a-z, or -1.
int Search_Open_Conf(const std::vector<std::string>& sl, const std::string& name);

// The open project's folder name (the part of Project_Path after
// Projects_Dir and its separator), empty when none is open.
std::string Current_Project_Folder(const AppState& st);

// Opens `name` (empty: no project), then Set_Files. A name that is not plain
// opens nothing.
void Open_Project(AppState& st, const std::string& name);

} // namespace ks

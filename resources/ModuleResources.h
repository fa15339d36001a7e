// The module's resources, as the table that the platform finds by the module's handle.
#pragma once

#include "kernel/Resources.h"

#include <span>

std::span<const ResourceEntry> CommandTableResources();
std::span<const ResourceEntry> StringTableResources();
std::span<const ResourceEntry> MainViewerResources();
std::span<const ResourceEntry> MethodInfoResources();
std::span<const ResourceEntry> AddGroupResources();
std::span<const ResourceEntry> RunQueueResources();
std::span<const ResourceEntry> AuditTrailResources();
std::span<const ResourceEntry> LimsExchangeResources();
std::span<const ResourceEntry> QcRulesResources();
std::span<const ResourceEntry> AddMethodResources();
std::span<const ResourceEntry> AutoNameResources();
std::span<const ResourceEntry> StateImagesResources();
std::span<const ResourceEntry> ControlBarResources();
std::span<const ResourceEntry> LockerResources();
std::span<const ResourceEntry> LogonResources();
std::span<const ResourceEntry> UserInfoResources();
std::span<const ResourceEntry> UserAccountsResources();
// The handle of the library that holds the resources: its load address.
HMODULE ModuleResourceHandle();

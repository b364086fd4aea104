// Constants shared by the grid library's units.
#pragma once

#include "classlib/Platform.h"

// The version text every component of the library shows as its About property.
inline constexpr const char GclVersion[] = "v4.06";

// Private window messages of the controller, the entry fields and the attached labels.
constexpr UINT om_ReportError = 32512;
constexpr UINT om_FocusControl = 32513;
constexpr UINT om_GetDataSize = 32515;
constexpr UINT om_PreEditNotify = 32518;
constexpr UINT om_PostEditNotify = 32519;
constexpr UINT om_AfterEnter = 32520;
constexpr UINT om_AfterExit = 32521;
constexpr UINT om_DelayNotify = 32522;
constexpr UINT om_PositionLabel = 32523;
constexpr UINT om_RecordLabelPosition = 32524;
constexpr UINT om_AssignLabel = 32525;
constexpr UINT om_RefreshEditor = 32528;

// Message numbers of the library's texts that its units look up by name.
namespace gclmsg {
constexpr unsigned short DuplicateCommand = 30169;
constexpr unsigned short TableNotFound = 30170;
constexpr unsigned short NoControllerAssigned = 30172;
constexpr unsigned short InvalidRange = 30203;
constexpr unsigned short InvalidRealRange = 30204;
constexpr unsigned short InvalidDateRange = 30209;
constexpr unsigned short InvalidTimeRange = 30210;
constexpr unsigned short InvalidRangeValue = 30211;
constexpr unsigned short SAEGeneral = 30217;
constexpr unsigned short SAEAtMaxSize = 30218;
constexpr unsigned short SAEOutOfBounds = 30219;
constexpr unsigned short NoCollection = 30241;
constexpr unsigned short NotGclDescendant = 30242;
constexpr unsigned short ItemIncompatible = 30243;
constexpr unsigned short LabelNotAttached = 30244;
constexpr unsigned short ClassNotSet = 30245;
constexpr unsigned short CollectionNotFound = 30246;
constexpr unsigned short GridTableName = 30266;
constexpr unsigned short DefaultTableName = 30275;
constexpr unsigned short WordStarTableName = 30276;
constexpr unsigned short UnknownTable = 30277;
constexpr unsigned short CommandNameBase = 33768;
} // namespace gclmsg

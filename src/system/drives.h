#pragma once
// What kind of drive a root is, as the system tells it. Portable: the flash
// disk guard decides on the answer, and a test answers for the system.
#include <functional>
#include <string>

namespace tarvex::sys {

// The kinds the flash disk guard tells apart; network, optical and RAM drives are Unknown.
enum class DriveType { Unknown, Removable, Fixed };

// The type of the drive whose root is `root` ("E:\").
using DriveTypeService = std::function<DriveType(const std::string& root)>;

// The system's answer; Unknown on the native build, which names no drives.
DriveType DriveTypeOf(const std::string& root);

}  // namespace tarvex::sys

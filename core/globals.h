#pragma once
// The shared values of the program, in one place, under the names the design uses.
// Every handler reads and writes them through its Context; nothing here is a global
// variable, so two tests never see each other's state.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/input_devices.h"
#include "core/tachometer_data.h"
#include "files/file_helpers.h"

namespace revalorn {

struct Context;

struct Globals {
  // --- Folders and settings held in memory -------------------------------------------
  // The folder of the running program; "Working Folder" and "Sound Sets" lie in it.
  std::string ProgramFolder;
  // The game's sound directory, the folder that holds sound.dat; fixed after start-up.
  std::string LastUsedGPLPath;
  // The folder of the replacement sound loaded last; the replacement finder starts there.
  std::string LastUsedSourceDirectory;

  // --- Finder results -----------------------------------------------------------------
  bool FinderConfirmed = false;  // the last finder closed through its action button
  bool FinderFromMenu = false;   // the finder was opened by a menu command, not start-up
  std::string ReplacementFile;   // file name of the chosen replacement, without folder
  std::string SelectedSoundSet;  // the chosen sound-set folder; empty after Cancel

  // --- Current selection ----------------------------------------------------------------
  std::int16_t GameVersion = 0;         // the version picked in the version list
  std::int16_t CarCount = 0;            // its number of car slots
  std::int16_t CurrentGameVersion = 0;  // the copy playback reads, refreshed on each pick
  // True while a slot's working copy holds a replacement not yet saved to the game.
  std::array<bool, kChangedFlagCount> SoundChanged{};
  // Which built-in picture each picture routine shows next: 102 when its flag is True,
  // else 101; the routine inverts its flag each time. Both start False.
  struct BuiltInPictureFlags {
    bool Background = false;
    bool Car = false;
  } BuiltInPictureTurn;

  // --- Playback -------------------------------------------------------------------------
  bool StopPlay = false;         // a running play ends at its next check when True
  double TimingDelay = 0.001;    // seconds after each Auto Play step; (99 - speed) / 1000
  bool PedalsAvailable = false;  // a controller is attached and no calibration failed
  // The tachometer's face records and needle positions, by game version.
  TachFaceRecords TachFace{};
  NeedleTableData NeedleTable{};
  // The throttle's calibration, stored as "Device", "ThrottleAxis", "JoyStickMin" and
  // "JoyStickMax". JoyStickMin is the released reading and JoyStickMax the pressed one,
  // whichever is larger (an inverted pedal has JoyStickMin above JoyStickMax).
  std::int16_t DeviceIndex = 0;   // 1-based position of the throttle's controller
  std::int16_t ThrottleAxis = 0;  // its axis number, 1..8
  std::int32_t JoyStickMin = 0;
  std::int32_t JoyStickMax = 0;
  // The last read of a controller, by the calibration or Pedal Play.
  JoystickState JoyState;
  // Grows with every play started or stopped; a waiting play whose number is no longer
  // the latest ends at its next check (see PlayTicket).
  std::uint64_t PlaySerial = 0;

  // --- Game executable ----------------------------------------------------------------
  std::string ExecutableFolder;
  std::string ExecutableName;
  std::int16_t CurrentExecutableKind = 0;  // kind of the executable chosen or patched last

  // --- Shared byte buffers ----------------------------------------------------------
  ByteBuffer FileBytes;     // the whole content of the file loaded last
  ByteBuffer PatternBytes;  // the byte run searched for or about to be written

  // --- Screen scale factors (screen width / 1280, height / 1024) -----------------------
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;

  // --- Set when the program has been asked to end --------------------------------------
  bool ProgramEnded = false;
  // Releases the input devices when the quit routine ends the program (DInputShutdown);
  // nothing is called while it is empty.
  std::function<void(Context&)> InputShutdown;
};

}  // namespace revalorn

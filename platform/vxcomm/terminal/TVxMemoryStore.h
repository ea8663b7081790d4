// The terminal's memory areas, kept as files of the terminal folder:
//   area 0  "memory.img": raw memory of MemorySize bytes, addressed from 0; bytes never written
//           read as 0;
//   area 1  "os.img": the operating-system image;
//   area 2  "font.img": the font and input-method library.
// The images of areas 1 and 2 are written and read whole, at address 0, and hold at most
// ImageMax bytes, the size of the buffer a caller reads them into.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "VxTransfer.h"

class TVxMemoryStore {
public:
  static constexpr int AreaMemory = 0;
  static constexpr int AreaSystem = 1;
  static constexpr int AreaFont = 2;
  static constexpr std::int32_t ImageMax = 2 * 1024 * 1024;

  TVxMemoryStore(std::filesystem::path folder, std::int32_t memorySize);

  // Area 0: writes length bytes at address. Areas 1 and 2: replaces the image by the length
  // bytes (address must be 0, length at least 1). Raises EVxError: vxErrBadArea,
  // vxErrBadAddress, vxErrBadParameter, vxErrImageTooLarge, vxErrStorage.
  void Write(int area, std::int32_t address, const std::uint8_t* data, std::int32_t length,
             const TVxTransferOptions& transfer);

  // Area 0: reads length bytes at address into buffer and returns length. Areas 1 and 2: reads
  // the image (address must be 0) into buffer, which holds length bytes, and returns its size.
  std::int32_t Read(int area, std::int32_t address, std::uint8_t* buffer, std::int32_t length,
                    const TVxTransferOptions& transfer);

  // Stores an image of area 1 or 2 as it is (a new terminal's).
  void PutImage(int area, std::string_view bytes);

private:
  std::filesystem::path path(int area) const;
  void checkRange(std::int32_t address, std::int32_t length) const;
  std::filesystem::path folder_;
  std::int32_t memorySize_;
};

#include "asset_dir.h"

#include "program_folder.h"

namespace quandel {

std::string DefaultAssetDir() {
  return AssetDirBesideProgram({QUANDEL_ASSETS_FROM_BUILD, QUANDEL_ASSETS_FROM_INSTALL});
}

}  // namespace quandel

#include "cli/dravick_app.h"

#include "cli/build_version.h"
#include "cli/commands.h"

namespace cli {

void DefineDravick(CLI::App& app, int& status) {
  app.name("dravick");
  app.description("Dravick Tool: resources and flash images for Mrl display modules");
  app.set_version_flag("--version", VersionText());
  app.require_subcommand(1);
  AddPictureCommand(app, status);
  AddGifCommand(app, status);
  AddFontCommand(app, status);
  AddCursorCommand(app, status);
  AddBootCommand(app, status);
  AddCombineCommand(app, status);
  AddWavCommand(app, status);
  AddBuildCommand(app, status);
  AddInspectCommand(app, status);
  AddExtractCommand(app, status);
}

std::string VersionText() {
  std::string text = std::string("dravick ") + kProjectVersion;
  if (*kGitDescription != '\0')
    text += std::string(" (git ") + kGitDescription + ")";
  return text;
}

}  // namespace cli

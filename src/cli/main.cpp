// dravick: every tool of the desktop program, headless.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <new>

#include "cli/cli_support.h"
#include "cli/dravick_app.h"
#include "platform/interrupt_cleanup.h"

namespace {

int Dravick(int argc, char** argv) {
  CLI::App app;
  int status = cli::kOk;
  cli::DefineDravick(app, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    std::cerr << "dravick: " << error.what() << '\n';
    return cli::kUsage;
  }
  return status;
}

}  // namespace

// Whatever a run lets escape ends it with one line and status 1, never an abort; the
// temporary files of its outputs are removed as the stack unwinds.
int main(int argc, char** argv) {
  platform::InstallInterruptCleanup();
  try {
    return Dravick(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "dravick: out of memory\n";
  } catch (const std::exception& error) {
    std::cerr << "dravick: " << error.what() << '\n';
  } catch (...) {
    std::cerr << "dravick: unexpected error\n";
  }
  return cli::kFailed;
}

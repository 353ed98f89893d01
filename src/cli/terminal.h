#pragma once

namespace liftvox::cli {

// Progress is drawn on stderr only for a person watching it.
bool StderrIsTerminal();

}  // namespace liftvox::cli

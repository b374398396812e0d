#include "cli/play.h"

#include "cli/commands.h"

namespace tomelin::cli {

// Options that other parts of the tool add to `play`, one entry each (see play.h).
std::vector<PlayOption> playExtensionOptions() {
    return {recordPlayOption()};
}

}  // namespace tomelin::cli

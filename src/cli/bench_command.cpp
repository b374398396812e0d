#include <ostream>

#include "cli/commands.h"
#include "core/behaviour_signature.h"

namespace tomelin::cli {

// Plays the fixed set of seeded computer games and prints the one number that stands for
// them; the counts go to the error stream.
int benchCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty())
        return usageError(io, "bench takes no arguments");
    const BehaviourSignature sig = behaviourSignature();
    io.out << sig.hash << '\n';
    io.err << sig.games << " games, " << sig.moves << " moves\n";
    return kExitOk;
}

}  // namespace tomelin::cli

// Computer players: filled in with the bots' decision procedure.

#include "engine/engine.h"

namespace quintrel {

void Engine::computerdraw(int seat) { (void)seat; }
void Engine::computerplay(int seat) { (void)seat; }

}  // namespace quintrel

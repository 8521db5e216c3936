#include "net/qt/session_plan.h"

namespace quintrel::net {

SessionPlan planSession(const std::vector<std::string>& args) {
    SessionPlan plan;
    if (args.empty()) {
        plan.mode = SessionMode::Solo;
        plan.loadingLine = "Loading Solo Game..Please wait.";
        plan.playername = "You";
        plan.hostaddress = kLoopbackAddress;
        plan.showDownloadWindow = true;
        plan.startOptions = StartOptions::ShowTargetsDisabled;
        return plan;
    }
    plan.loadingLine = "Loading Multi-player Game.. Please Wait.";
    if (args.size() < 3) {
        plan.mode = SessionMode::Waiting;
        return plan;
    }
    plan.playername = args[0];
    const bool hosting = args[2] == "true";
    plan.mode = hosting ? SessionMode::Host : SessionMode::Join;
    // The hosting copy's table always talks to its own listener.
    plan.hostaddress = hosting ? kLoopbackAddress : args[1];
    plan.openLobbyLink = true;
    if (args.size() >= 4)
        plan.startOptions = args[3] == "t" ? StartOptions::ShowTargetsDisabled : StartOptions::HideAll;
    return plan;
}

}  // namespace quintrel::net

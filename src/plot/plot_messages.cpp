#include "plot/plot_messages.h"

namespace vx {

UserMessage PlotRangeRefusedMessage() {
    return {"Eingabefehler", "Bitte korrigieren Sie Ihre Eingaben."};
}

}  // namespace vx

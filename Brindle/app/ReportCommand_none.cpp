// A build without Qt cannot draw the letter; the command line says so itself.
#include "Brindle/app/ReportCommand.h"

namespace brindle {

void registerReportCommand() {}

} // namespace brindle

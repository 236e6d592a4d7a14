// The screen each sidebar selection shows. Screens are made afresh for each selection and
// read everything from the model.
#pragma once

#include "Brindle/app/model/Section.h"

class QWidget;

namespace brindle {

class AppModel;

QWidget* makeScreen(AppModel& model, const Section& section, QWidget* parent);

} // namespace brindle

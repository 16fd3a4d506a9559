#pragma once

// Everything a form needs of the forms layer.
#include "platform/ui/Controls.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Events.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormRegistry.h"
#include "platform/ui/GridKeys.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ReportBox.h"
#include "platform/ui/TypedChoice.h"

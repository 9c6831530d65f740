#include "model/CentroProductivo.h"
// Placeholder until the queue model lands.

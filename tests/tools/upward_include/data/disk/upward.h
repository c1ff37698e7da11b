#pragma once

#include "data/disk/file_system.h"
#include "data/formats/ledger.h"

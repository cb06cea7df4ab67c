/* Instantiates the host's bank-component category identifier. */
#include <initguid.h>
#include "VornEBanking.h"

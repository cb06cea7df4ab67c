// The bank's name, as the host knows this component.
#pragma once

const char BankName[] = "Tilo Online";

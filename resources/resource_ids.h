#pragma once
#define IDI_TARVEX 101

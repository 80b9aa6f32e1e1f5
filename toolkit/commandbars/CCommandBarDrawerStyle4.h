// Drawing style 4: style 2 without its desktop-scheme colour sets and orange
// highlights, with flat separators and gradients of its own chosen by the
// colour table's scheme. Applications derive their own drawer from it.
#pragma once

#include "CCommandBarDrawerStyle2.h"

class CCommandBarDrawerStyle4 : public CCommandBarDrawerStyle2
{
public:
    CCommandBarDrawerStyle4();

    void ReloadMetrics() override;
    int GetBaseStyleNumber() override { return 4; }
};

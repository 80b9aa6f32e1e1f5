#include "CSecondView_HDD.h"

IMPLEMENT_DYNCREATE(CSecondView_HDD, CView)

void CSecondView_HDD::OnDraw(CDC*) {}

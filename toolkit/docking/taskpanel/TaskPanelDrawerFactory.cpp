#include "TaskPanelDrawerFactory.h"

#include "styles/CTaskPanelDrawerStyle1.h"
#include "styles/CTaskPanelDrawerStyle12.h"
#include "styles/CTaskPanelDrawerStyle2.h"
#include "styles/CTaskPanelDrawerStyle5.h"
#include "styles/CTaskPanelDrawerStyle6.h"
#include "styles/CTaskPanelDrawerStyle8.h"

std::unique_ptr<CTaskPanelDrawer> CreateTaskPanelDrawer(int nStyle, CKitTaskPanel* pPanel)
{
    switch (nStyle)
    {
    case 0: return std::make_unique<CTaskPanelDrawer>(pPanel);
    case 1: return std::make_unique<CTaskPanelDrawerStyle1>(pPanel);
    case 3: return std::make_unique<CTaskPanelDrawerStyle3>(pPanel);
    case 4: return std::make_unique<CTaskPanelDrawerStyle4>(pPanel);
    case 5: return std::make_unique<CTaskPanelDrawerStyle5>(pPanel);
    case 6: return std::make_unique<CTaskPanelDrawerStyle6>(pPanel);
    case 7: return std::make_unique<CTaskPanelDrawerStyle7>(pPanel);
    case 8: return std::make_unique<CTaskPanelDrawerStyle8>(pPanel);
    case 9: return std::make_unique<CTaskPanelDrawerStyle9>(pPanel);
    case 10: return std::make_unique<CTaskPanelDrawerStyle10>(pPanel);
    case 11: return std::make_unique<CTaskPanelDrawerStyle11>(pPanel);
    case 12: return std::make_unique<CTaskPanelDrawerStyle12>(pPanel);
    default: return std::make_unique<CTaskPanelDrawerStyle2>(pPanel);
    }
}

#include "panel/core/menu_items.h"

namespace panel {
namespace {

constexpr MenuItem kMain[] = {
    {kMenuDown, L"下载更多的表情包(&D)"},
    {kMenuUpdate, L"下载Pindle最新版(&U)"},
    {kMenuJianYi, L"给本软件提建议(&B)"},
    {kMenuSeparator, L"-"},
    {kMenuAutoRun, L"系统启动时运行(&R)"},
    {kMenuSeparator, L"-"},
    {kMenuTypeGuanLi, L"进入表情文件夹进行管理(&M)"},
    {kMenuSeparator, L"-"},
    {kMenuEnabled, L"QQ聊天窗口跟随(&Q)"},
    {kMenuDuLi, L"独立窗口模式(&D)"},
    {kMenuSeparator, L"-"},
    {kMenuExit, L"退出Pindle(&Q)"},
};

constexpr MenuItem kLang[] = {
    {kMenuTextType0, L"简体输入法"},
    {kMenuTextType1, L"繁体输入法"},
    {kMenuTextType2, L"火星输入法"},
};

constexpr MenuItem kSet[] = {
    {kMenuAddFace, L"添加表情(&A)"},
    {kMenuInPutFace, L"导入表情(&I)"},
    {kMenuNewType, L"添加分类(&N)"},
    {kMenuKillAll, L"删除分类(&K)"},
    {kMenuSeparator, L"-"},
    {kMenuDelFace, L"删除表情(&D)"},
    {kMenuMoveFace, L"移动表情(&M)"},
    {kMenuCopyFace, L"复制表情(&C)"},
};

}  // namespace

std::span<const MenuItem> MainMenuItems() { return kMain; }
std::span<const MenuItem> LangMenuItems() { return kLang; }
std::span<const MenuItem> SetMenuItems() { return kSet; }

}  // namespace panel

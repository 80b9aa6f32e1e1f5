# Unity builds (CMAKE_UNITY_BUILD=ON, as the test script builds) compile the
# sources of a target in batches, so the headers are parsed once a batch.
# These sources stay out of the batches: they keep file-local helpers and
# constants under the same names as a neighbour's, or depend on a Windows header
# macro (GetFileTitle and the like) being absent or present where they stand.
# They are compiled on their own, as in any build without batches.
set(PELMO_UNITY_EXCLUDED_SOURCES
  app/dialogs/CPropertiesDlg.cpp
  app/shell/CAboutDlg.cpp
  engine/extensive/FoundNtfsTree.cpp
  engine/ntfs/NtfsQuickScan.cpp
  framework/core/CFile.cpp
  preview/html/HtmlFormFields.cpp
  preview/readers/CPsdDecoder.cpp
  preview/readers/CTextFileReader.cpp
  toolkit/commandbars/CBarTreeStore.cpp
  toolkit/commandbars/CKitToolBar.cpp
  toolkit/commandbars/CommandBarExchange.cpp
  toolkit/commandbars/customize/CCustomizeKeyboardPage.cpp
  toolkit/commandbars/customize/CKitCustomizeSheet.cpp
  toolkit/commandbars/imageeditor/CButtonImageEditorDlg.cpp
  toolkit/docking/panes/CDockingPaneDrawer.cpp
  toolkit/docking/panes/CKitDockingPaneAutoHideWnd.cpp
  toolkit/docking/panes/CKitDockingPaneTabbedContainer.cpp
  toolkit/docking/tabs/CTabStripDrawer.cpp
  toolkit/docking/tabs/CTabStripPalette.cpp
  toolkit/docking/taskpanel/CTaskPanelDrawer.cpp
  toolkit/docking/taskpanel/CTaskPanelDrawerThemeBitmaps.cpp
  toolkit/foundation/CCommandIconStorePersistence.cpp
  toolkit/foundation/CScreenTipWnd.cpp
  toolkit/foundation/controls/CUiCaptionPopupWnd.cpp
  toolkit/foundation/controls/CUiFlatComboBox.cpp
  toolkit/foundation/controls/CUiFlatEdit.cpp
  toolkit/foundation/controls/CUiHeaderCtrl.cpp
  toolkit/foundation/core/IconSourceFormats.cpp
  toolkit/foundation/themes/CaptionThemes.cpp
  toolkit/foundation/themes/ComboEditThemes.cpp
  toolkit/foundation/themes/HeaderThemes.cpp
)

# Test programs are never batched: their files keep small helpers of the same
# name with different parameters (AddItem, Narrow), and in one batch a call can
# quietly resolve to a neighbour's overload instead of failing to compile.
function(pelmo_keep_tests_out_of_unity_batches target)
  get_target_property(links ${target} LINK_LIBRARIES)
  foreach(link IN LISTS links)
    if(link MATCHES "^GTest::")
      set_target_properties(${target} PROPERTIES UNITY_BUILD OFF)
    endif()
  endforeach()
endfunction()

function(pelmo_apply_unity_exclusions target)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(IS_ABSOLUTE "${source}")
      set(path "${source}")
    else()
      set(path "${source_dir}/${source}")
    endif()
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${path})
    if(relative IN_LIST PELMO_UNITY_EXCLUDED_SOURCES)
      set_source_files_properties(${path} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()

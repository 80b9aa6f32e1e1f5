# Unity builds (CMAKE_UNITY_BUILD=ON, as the test script builds) compile the
# sources of a target in batches, so the headers are parsed once a batch.
# These sources stay out of the batches: they keep file-local helpers and
# constants under the same names as a neighbour's, or depend on a Windows header
# macro (GetFileTitle and the like) being absent or present where they stand.
# They are compiled on their own, as in any build without batches. The worst
# kind compiles in a batch and behaves otherwise: a helper of the same name with
# other parameters (AddItem, Narrow) that a call resolves to instead of its own;
# the tests find those, and the presets' builds without batches run them too.
set(PELMO_UNITY_EXCLUDED_SOURCES
  app/dialogs/CPropertiesDlg.cpp
  app/shell/CAboutDlg.cpp
  engine/extensive/FoundNtfsTree.cpp
  engine/ntfs/NtfsQuickScan.cpp
  framework/core/CFile.cpp
  framework/tests/WindowLifetimeTest.cpp
  framework/tests/WindowTest.cpp
  preview/html/HtmlFormFields.cpp
  preview/html/tests/HtmlParserTest.cpp
  preview/readers/CPsdDecoder.cpp
  preview/readers/CTextFileReader.cpp
  tests/engine/ntfs/MftRecordTest.cpp
  tests/engine/signatures/FileTraceTest.cpp
  toolkit/commandbars/CBarTreeStore.cpp
  toolkit/commandbars/CKitToolBar.cpp
  toolkit/commandbars/CommandBarExchange.cpp
  toolkit/commandbars/core/tests/DockRowsTest.cpp
  toolkit/commandbars/customize/CCustomizeKeyboardPage.cpp
  toolkit/commandbars/customize/CKitCustomizeSheet.cpp
  toolkit/commandbars/imageeditor/CButtonImageEditorDlg.cpp
  toolkit/docking/panes/CDockingPaneDrawer.cpp
  toolkit/docking/panes/CKitDockingPaneAutoHideWnd.cpp
  toolkit/docking/panes/CKitDockingPaneTabbedContainer.cpp
  toolkit/docking/panes/tests/StoredArrangementTest.cpp
  toolkit/docking/tabs/CTabStripDrawer.cpp
  toolkit/docking/tabs/CTabStripPalette.cpp
  toolkit/docking/taskpanel/CTaskPanelDrawer.cpp
  toolkit/docking/taskpanel/CTaskPanelDrawerThemeBitmaps.cpp
  toolkit/docking/taskpanel/tests/TaskPanelModelTest.cpp
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

# Whole targets kept out of the batches: the image tests' files each keep their
# own small readers of host files (ReadHostFile and the like) beside a shared one.
set(PELMO_UNITY_EXCLUDED_TARGETS image_tests)

function(pelmo_apply_unity_exclusions target)
  if(target IN_LIST PELMO_UNITY_EXCLUDED_TARGETS)
    set_target_properties(${target} PROPERTIES UNITY_BUILD OFF)
    return()
  endif()
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${source_dir})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${path})
    if(relative IN_LIST PELMO_UNITY_EXCLUDED_SOURCES)
      set_source_files_properties(${path} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()

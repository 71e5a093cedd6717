target_sources(velkgui PRIVATE
  src/velk/wizard/Wizard.cpp
  src/velk/wizard/Wizard.h
  src/velk/wizard/WizardFields.cpp
  src/velk/wizard/WizardFields_p.h
  src/velk/wizard/WizardForm.cpp
  src/velk/wizard/WizardForm_p.h
  src/velk/wizard/WizardLayout.cpp
  src/velk/wizard/WizardLayout_p.h
  src/velk/wizard/WizardText.cpp
  src/velk/wizard/WizardText_p.h
)

// The "Dilutions" page: its pop-ups and the Calculate button.
#include "dilution.h"

#include "titrix.h"
#include "units.h"

namespace titrix {

void GroupBox2_Open(RuntimeObject* window, RuntimeObject*) {
  quillon::MethodScope scope;
  FillUnits(Control(window, W1::stock_conc_units), kDilutionConcentrations, 4);  // millimolar
  FillUnits(Control(window, W1::des_conc_units), kDilutionConcentrations, 4);    // millimolar
  FillUnits(Control(window, W1::des_vol_units), kFinalVolumes, 2);               // milliliter
  FillUnits(Control(window, W1::req_vol_units), kRequiredVolumes, 2);            // milliliter
}

void PushButton2_Action(RuntimeObject* window, RuntimeObject*) {
  quillon::MethodScope scope;
  DilutionInputs in;
  in.fF = FactorAt(kDilutionConcentrations, ListIndex(Control(window, W1::des_conc_units)));
  in.fS = FactorAt(kDilutionConcentrations, ListIndex(Control(window, W1::stock_conc_units)));
  in.fV = FactorAt(kFinalVolumes, ListIndex(Control(window, W1::des_vol_units)));
  in.fR = FactorAt(kRequiredVolumes, ListIndex(Control(window, W1::req_vol_units)));
  in.finalConcentration = Val(FieldText(Control(window, W1::des_conc)));
  in.finalVolume = Val(FieldText(Control(window, W1::des_vol)));
  in.stockConcentration = Val(FieldText(Control(window, W1::stock_conc)));
  const Object required = Control(window, W1::req_vol);
  SetFieldText(required, Str(RequiredVolume(in)));
  // The check reads the two concentrations again.
  const double stock = Val(FieldText(Control(window, W1::stock_conc)));
  const double final = Val(FieldText(Control(window, W1::des_conc)));
  if (StockTooWeak(stock, in.fS, final, in.fF)) {
    SetFieldText(required, S(QL_STR("Infinity")));
    MsgBox(WithEndOfLine(S(QL_STR("Stock solution concentration must be greater than"))) +
           S(QL_STR("or equal to final solution concentration.")));
  }
}

}  // namespace titrix

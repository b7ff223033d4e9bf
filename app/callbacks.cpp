#include "app/callbacks.h"

#include "app/language_choice.h"
#include "app/reset.h"
#include "app/setup_menu.h"
#include "app/startup.h"
#include "controls/board_dialog.h"
#include "controls/channels.h"
#include "controls/horizontal.h"
#include "controls/tester_panel.h"
#include "controls/trigger_coupling.h"
#include "controls/trigger_display.h"
#include "controls/vertical.h"
#include "engine/engine.h"
#include "generator/generator.h"
#include "help/help.h"
#include "help/menu.h"
#include "measure/readout.h"
#include "measure/spreadsheet_link.h"
#include "sim/input_routing.h"
#include "sim/refresh.h"

#include <array>
#include <utility>

namespace {

// Every callback that a resource file names, under that name.
constexpr std::array kControlCallbacks = std::to_array<std::pair<const char *, CtrlCallbackPtr>>({
    {"abrir_pag", abrir_pag},
    {"abrir_pagG", abrir_pagG},
    {"act_dados", act_dados},
    {"act_entr", act_entr},
    {"Actualizar", Actualizar},
    {"add_fn", add_fn},
    {"aplic_ext", aplic_ext},
    {"aplic_testador", aplic_testador},
    {"f_componente", f_componente},
    {"f_holdoff", f_holdoff},
    {"fecha_ext", fecha_ext},
    {"fecha_holdoff", fecha_holdoff},
    {"fecha_testador", fecha_testador},
    {"att_0", att_0},
    {"att_20", att_20},
    {"att_40", att_40},
    {"aj_ant", aj_ant},
    {"aj_seg", aj_seg},
    {"ajG_ant", ajG_ant},
    {"ajG_seg", ajG_seg},
    {"aplic_entr", aplic_entr},
    {"atnm", atnm},
    {"att_fn", att_fn},
    {"calib_X", calib_X},
    {"calp_btn", calp_btn},
    {"canais_fn", canais_fn},
    {"canal1", canal1},
    {"canal2", canal2},
    {"ch_fn", ch_fn},
    {"ConnectToExcel", ConnectToExcel},
    {"component_btn", component_btn},
    {"dual_fn", dual_fn},
    {"ecran", ecran},
    {"entrada1_btn", entrada1_btn},
    {"entrada2_btn", entrada2_btn},
    {"Ext_btn", Ext_btn},
    {"f_calx", f_calx},
    {"f_entrada", f_entrada},
    {"f_focus", f_focus},
    {"f_intens", f_intens},
    {"f_level", f_level},
    {"f_xpos", f_xpos},
    {"f_ycal", f_ycal},
    {"f_ypos", f_ypos},
    {"fecha_acerca", fecha_acerca},
    {"fecha_canais", fecha_canais},
    {"fecha_entrada", fecha_entrada},
    {"fecha_focus", fecha_focus},
    {"fecha_intens", fecha_intens},
    {"fecha_level", fecha_level},
    {"fecha_painel", fecha_painel},
    {"fecha_timediv", fecha_timediv},
    {"fecha_voltdiv", fecha_voltdiv},
    {"fechar_ajuda", fechar_ajuda},
    {"fechar_ajudaG", fechar_ajudaG},
    {"fecha_ypos1", fecha_ypos1},
    {"fecha_ypos2", fecha_ypos2},
    {"destaca_gerador", destaca_gerador},
    {"focus_btn", focus_btn},
    {"freq_digitada", freq_digitada},
    {"gerad_ampl", gerad_ampl},
    {"gerad_ciclo", gerad_ciclo},
    {"gerad_fase", gerad_fase},
    {"gerad_freq", gerad_freq},
    {"gerad_offset", gerad_offset},
    {"gerad_rampa", gerad_rampa},
    {"holdoff_btn", holdoff_btn},
    {"info_fn", info_fn},
    {"informP", informP},
    {"intens_btn", intens_btn},
    {"invert1", invert1},
    {"invert2", invert2},
    {"level_btn", level_btn},
    {"modoxy_btn", modoxy_btn},
    {"nome_ch1", nome_ch1},
    {"nome_ch2", nome_ch2},
    {"most_ampl", most_ampl},
    {"most_esc", most_esc},
    {"most_fase", most_fase},
    {"most_freq", most_freq},
    {"most_offset", most_offset},
    {"most_onda", most_onda},
    {"output_fn", output_fn},
    {"path_excel", path_excel},
    {"path_fich", path_fich},
    {"placa_ajuda", placa_ajuda},
    {"placa_confirmar", placa_confirmar},
    {"placa_escolha", placa_escolha},
    {"placa_gerador_fn", placa_gerador_fn},
    {"placa_painel_gerador", placa_painel_gerador},
    {"placa_passo", placa_passo},
    {"placa_ponto_fn", placa_ponto_fn},
    {"placa_presenca", placa_presenca},
    {"placa_sair", placa_sair},
    {"placa_valor", placa_valor},
    {"Power_btn", Power_btn},
    {"Power_ger", Power_ger},
    {"quad_f", quad_f},
    {"QuitCallback", QuitCallback},
    {"QuitTime", QuitTime},
    {"ramp_fn", ramp_fn},
    {"range1", range1},
    {"range10", range10},
    {"range100", range100},
    {"range100k", range100k},
    {"range10k", range10k},
    {"range1k", range1k},
    {"range1m", range1m},
    {"SairGerador", SairGerador},
    {"Shutdown", Shutdown},
    {"sinu_f", sinu_f},
    {"slope_btn", slope_btn},
    {"sync_fn", sync_fn},
    {"timediv", timediv},
    {"tria_f", tria_f},
    {"Trig_btn", Trig_btn},
    {"tvsep_fn", tvsep_fn},
    {"ValorTime", ValorTime},
    {"valorvolt", valorvolt},
    {"vcf_fn", vcf_fn},
    {"vert_fn", vert_fn},
    {"volt_div1", volt_div1},
    {"volt_div2", volt_div2},
    {"x_cal1_btn", x_cal1_btn},
    {"x_cal2_btn", x_cal2_btn},
    {"x_pos_btn", x_pos_btn},
    {"xmag_btn", xmag_btn},
    {"y_pos1_btn", y_pos1_btn},
    {"y_pos2_btn", y_pos2_btn},
});

constexpr std::array kMenuCallbacks = std::to_array<std::pair<const char *, MenuCallbackPtr>>({
    {"Abrir_config", Abrir_config},
    {"abrir_page", abrir_page},
    {"Abrir_ger1", Abrir_ger1},
    {"Abrir_ger2", Abrir_ger2},
    {"Cap_Clip", Cap_Clip},
    {"Cap_Fich", Cap_Fich},
    {"exibir_acerca", exibir_acerca},
    {"Guardar_config", Guardar_config},
    {"Idioma_en", Idioma_en},
    {"Idioma_pt", Idioma_pt},
    {"Reiniciar_ger1", Reiniciar_ger1},
    {"Reiniciar_ger2", Reiniciar_ger2},
    {"Reiniciar_osc", Reiniciar_osc},
    {"Reiniciar_tudo", Reiniciar_tudo},
    {"Sair_prog", Sair_prog},
});

} // namespace

void RegisterInstrumentCallbacks() {
    for (const auto &[name, function] : kControlCallbacks) {
        RegisterCallback(name, function);
    }
    for (const auto &[name, function] : kMenuCallbacks) {
        RegisterMenuCallback(name, function);
    }
}

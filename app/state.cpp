#include "app/state.h"

#include "engine/engine.h"

int Painel_Principal = 0;
int Painel_Xpos = 0;
int Painel_Canais = 0;
int Painel_CalibX = 0;
int Painel_YcalI = 0;
int Painel_YcalII = 0;
int Painel_Acerca = 0;
int Painel_Time = 0;
int Painel_Volt = 0;
int Painel_YposI = 0;
int Painel_YposII = 0;
int Painel_YentI = 0;
int Painel_YentII = 0;
int Painel_Entradas = 0;
int Painel_Focus = 0;
int Painel_Intens = 0;
int Painel_Level = 0;
int Painel_Holdoff = 0;
int Painel_Externo = 0;
int Painel_Testador = 0;

int Ligado = 0;
int modoxy = 0;
int dual_op = 0;
int add_op = 0;
int vert_op = 0;
int chop_ch = 0;
int OPCAO_FOCUS = VAL_THIN_LINE;
int OPCAO_INTENS = MakeColor(25, 210, 200);
float focus_val = 0.0F;
int intens_val = 5;

int Esc_VoltID[2] = {4, 4};
float Esc_Volt[2] = {0.0F, 0.0F};
double y_calib[2] = {1.0, 1.0};
double y_offset[2] = {0.0, 0.0};
int inversao[2] = {1, 1};
int entrada_op[2] = {1, 1};
int canais_op[2] = {1, 1};
double dc_val[2] = {0.0, 0.0};

int Esc_TempoID = 3;
float Esc_Tempo = 0.0F;
double calib = 1.0;
double atraso_orig = -300.0;
double atraso = -300.0;
double xmag = 1.0;
double minimo = -300.0;
double maximo = 300.0;

double levelt = 0.0;
int slopet = 1;
int autot = 1;
int trigger_ch = 1;
int trig_acopl = 0;
int trig_ext = 0;
double holdoff = 0.0;
int tvsep = 0;
long long ciclo_rede = 0;
double fase_disparo = 0.0;

int testador = 0;
int testador_comp = 2;
double testador_valor[2] = {1000.0, 1e-06};

int ChIN[2] = {0, 0};
int Canal = 0;
double onda_entCh[2][vantrel::kSamples] = {};
double freq[2] = {0.0, 0.0};
double onda_G[2][vantrel::kSamples] = {};
double freq_G[2] = {0.0, 0.0};
double onda_E[2][vantrel::kSamples] = {};
double freq_E[2] = {0.0, 0.0};
double xC1 = 0.0;
double xC2 = 0.0;
double onda[3][vantrel::kSamples] = {};
int canais_ver[3] = {1, 1, 1};

int plot_onda[4] = {0, 0, 0, 0};
int plot_exist[4] = {0, 0, 0, 0};

int geradorID = 0;
int tipo_onda[2] = {3, 3};
int botao_activo[2] = {100, 100};
double botao_freq[2] = {1.0, 1.0};
double amplit[2] = {2.0, 3.0};
double offset[2] = {0.0, 0.0};
int ger_enable[2] = {1, 1};
double fase_G[2] = {0.0, 0.0};
double rampa_G[2] = {50.0, 50.0};
double ciclo_G[2] = {50.0, 50.0};
int atenuacao_G[2] = {0, 0};
double onda_sync[2][vantrel::kSamples] = {};
int Painel_Gerador = 0;
int Painel_Ger_Esc = 0;
int Painel_Ger_Freq = 0;
int Painel_Ger_Ampl = 0;
int Painel_Ger_Onda = 0;
int Painel_Ger_offset = 0;
int Painel_Ger_Fase = 0;
int Painel_Ger_Rampa = 0;
int Painel_Ger_Att = 0;

int Painel_Placa = 0;
int placa_tipo = 1;
int placa_gerador = 0;
int placa_ponto[2] = {0, 1};
double placa_valores[vantrel::kPlacas][vantrel::kComponentesPlaca] = {};
int placa_presente[vantrel::kPlacas][vantrel::kComponentesPlaca] = {};

int CanalE = 0;
int datalink = 0;
int systemlink = 0;
int panelhandle = 0;
int program_handle = 0;
int status = 0;
char path[vantrel::kPathSize] = {};
char pathP[vantrel::kPathSize] = {};
char pathF[vantrel::kPathSize] = {};
char path_memo[vantrel::kPathSize] = {};

int Painel_Ajuda = 0;
std::string url_help;

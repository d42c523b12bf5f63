#include "image/image_layout.h"

namespace ks {

void Serialise_KNX_Rule(const KNX_Rule_Rec& r, uint8_t* out) {
    Put_U32(out + 0, r.Poll_Time);
    Put_U32(out + 4, r.Time_Out);
    out[8] = r.Priority;
    out[9] = r.Length;
    Put_U16(out + 10, r.Flags);
    Put_U16(out + 12, r.APCI);
    Put_U16(out + 14, r.Source_Address);
    Put_U16(out + 16, r.Destination_Address);
    Put_U16(out + 18, r.Position);
    Put_F32(out + 20, r.Multiplication_Factor);
}

void Serialise_S7_Rule(const S7comm_Rule_Rec& r, uint8_t* out) {
    Put_U32(out + 0, r.PLC_Address);
    Put_U32(out + 4, r.Poll_Time);
    Put_U16(out + 8, r.PLC_Add);
    Put_U16(out + 10, r.DB_Number);
    Put_U16(out + 12, r.PLC_Port);
    Put_U16(out + 14, r.Position);
    Put_U16(out + 16, r.Reserved_16);
    out[18] = r.Bit;
    out[19] = r.PLC_Type;
    out[20] = r.Data_Type;
    out[21] = r.Data_Identifier;
    out[22] = r.Reserved_22;
    out[23] = r.Flags;
    out[24] = r.PLC_Bit;
    out[25] = r.PLC_Area;
    out[26] = r.Rack_Slot;
    out[27] = r.Reserved_27;
}

KNX_Rule_Rec Parse_KNX_Rule(const uint8_t* in) {
    KNX_Rule_Rec r;
    r.Poll_Time = Get_U32(in + 0);
    r.Time_Out = Get_U32(in + 4);
    r.Priority = in[8];
    r.Length = in[9];
    r.Flags = Get_U16(in + 10);
    r.APCI = Get_U16(in + 12);
    r.Source_Address = Get_U16(in + 14);
    r.Destination_Address = Get_U16(in + 16);
    r.Position = Get_U16(in + 18);
    r.Multiplication_Factor = Get_F32(in + 20);
    return r;
}

S7comm_Rule_Rec Parse_S7_Rule(const uint8_t* in) {
    S7comm_Rule_Rec r;
    r.PLC_Address = Get_U32(in + 0);
    r.Poll_Time = Get_U32(in + 4);
    r.PLC_Add = Get_U16(in + 8);
    r.DB_Number = Get_U16(in + 10);
    r.PLC_Port = Get_U16(in + 12);
    r.Position = Get_U16(in + 14);
    r.Reserved_16 = Get_U16(in + 16);
    r.Bit = in[18];
    r.PLC_Type = in[19];
    r.Data_Type = in[20];
    r.Data_Identifier = in[21];
    r.Reserved_22 = in[22];
    r.Flags = in[23];
    r.PLC_Bit = in[24];
    r.PLC_Area = in[25];
    r.Rack_Slot = in[26];
    r.Reserved_27 = in[27];
    return r;
}

uint32_t Bank1_Checksum(const uint8_t* bank1) {
    uint32_t sum = 0;
    for (size_t i = 0; i < bank1::Checksum; ++i) sum += bank1[i];
    return sum;
}

} // namespace ks

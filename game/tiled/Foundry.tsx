<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.2" name="Foundry" tilewidth="16" tileheight="16" tilecount="512" columns="16">
 <image source="../data/img/Tiles/Foundry.png" width="256" height="512"/>
 <tile id="2">
  <properties>
   <property name="name" value="a_tl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="3">
  <properties>
   <property name="name" value="a_t"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="4">
  <properties>
   <property name="name" value="a_tr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="5">
  <properties>
   <property name="name" value="a_pt"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="6">
  <properties>
   <property name="name" value="a_intl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="7">
  <properties>
   <property name="name" value="a_intr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="8">
  <properties>
   <property name="name" value="b_tl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="9">
  <properties>
   <property name="name" value="b_t"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="10">
  <properties>
   <property name="name" value="b_tr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="11">
  <properties>
   <property name="name" value="b_pt"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="12">
  <properties>
   <property name="name" value="b_intl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="13">
  <properties>
   <property name="name" value="b_intr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="14">
  <properties>
   <property name="name" value="bigcrate_tl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="15">
  <properties>
   <property name="name" value="bigcrate_tr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="16">
  <properties>
   <property name="name" value="a_thazard"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="17">
  <properties>
   <property name="name" value="a_tgrate"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="18">
  <properties>
   <property name="name" value="a_l"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="19">
  <properties>
   <property name="name" value="a_c"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="20">
  <properties>
   <property name="name" value="a_r"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="21">
  <properties>
   <property name="name" value="a_pm"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="22">
  <properties>
   <property name="name" value="a_inbl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="23">
  <properties>
   <property name="name" value="a_inbr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="24">
  <properties>
   <property name="name" value="b_l"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="25">
  <properties>
   <property name="name" value="b_c"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="26">
  <properties>
   <property name="name" value="b_r"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="27">
  <properties>
   <property name="name" value="b_pm"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="28">
  <properties>
   <property name="name" value="b_inbl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="29">
  <properties>
   <property name="name" value="b_inbr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="30">
  <properties>
   <property name="name" value="bigcrate_bl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="31">
  <properties>
   <property name="name" value="bigcrate_br"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="32">
  <properties>
   <property name="name" value="a_cvent"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="33">
  <properties>
   <property name="name" value="a_ccrack"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="34">
  <properties>
   <property name="name" value="a_bl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="35">
  <properties>
   <property name="name" value="a_b"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="36">
  <properties>
   <property name="name" value="a_br"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="37">
  <properties>
   <property name="name" value="a_pb"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="38">
  <properties>
   <property name="name" value="a_cglow"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="39">
  <properties>
   <property name="name" value="a_cplate"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="40">
  <properties>
   <property name="name" value="b_bl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="41">
  <properties>
   <property name="name" value="b_b"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="42">
  <properties>
   <property name="name" value="b_br"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="43">
  <properties>
   <property name="name" value="b_pb"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="44">
  <properties>
   <property name="name" value="b_cvent"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="45">
  <properties>
   <property name="name" value="b_chazard"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="46">
  <properties>
   <property name="name" value="girder_l"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="47">
  <properties>
   <property name="name" value="girder_m"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="48">
  <properties>
   <property name="name" value="guide7"/>
   <property name="state" value="7"/>
  </properties>
 </tile>
 <tile id="49">
  <properties>
   <property name="name" value="guideE"/>
   <property name="state" value="E"/>
  </properties>
 </tile>
 <tile id="50">
  <properties>
   <property name="name" value="a_hl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="51">
  <properties>
   <property name="name" value="a_hm"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="52">
  <properties>
   <property name="name" value="a_hr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="53">
  <properties>
   <property name="name" value="a_s"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="54">
  <properties>
   <property name="name" value="crate"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="55">
  <properties>
   <property name="name" value="barrel"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="56">
  <properties>
   <property name="name" value="b_hl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="57">
  <properties>
   <property name="name" value="b_hm"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="58">
  <properties>
   <property name="name" value="b_hr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="59">
  <properties>
   <property name="name" value="b_s"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="60">
  <properties>
   <property name="name" value="b_cgauge"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="61">
  <properties>
   <property name="name" value="b_clamp"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="62">
  <properties>
   <property name="name" value="girder_r"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="63">
  <properties>
   <property name="name" value="girder_s"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="64">
  <properties>
   <property name="name" value="sr0"/>
   <property name="state" value="3"/>
  </properties>
 </tile>
 <tile id="65">
  <properties>
   <property name="name" value="sr1"/>
   <property name="state" value="4"/>
  </properties>
 </tile>
 <tile id="66">
  <properties>
   <property name="name" value="sr2"/>
   <property name="state" value="5"/>
  </properties>
 </tile>
 <tile id="67">
  <properties>
   <property name="name" value="sr3"/>
   <property name="state" value="6"/>
  </properties>
 </tile>
 <tile id="68">
  <properties>
   <property name="name" value="sl3"/>
   <property name="state" value="D"/>
  </properties>
 </tile>
 <tile id="69">
  <properties>
   <property name="name" value="sl2"/>
   <property name="state" value="C"/>
  </properties>
 </tile>
 <tile id="70">
  <properties>
   <property name="name" value="sl1"/>
   <property name="state" value="B"/>
  </properties>
 </tile>
 <tile id="71">
  <properties>
   <property name="name" value="sl0"/>
   <property name="state" value="A"/>
  </properties>
 </tile>
 <tile id="72">
  <properties>
   <property name="name" value="tele_0_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="73">
  <properties>
   <property name="name" value="tele_0_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="74">
  <properties>
   <property name="name" value="tele_0_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="75">
  <properties>
   <property name="name" value="door_0_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="76">
  <properties>
   <property name="name" value="door_0_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="77">
  <properties>
   <property name="name" value="lamp_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="78">
  <properties>
   <property name="name" value="sign_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="80">
  <properties>
   <property name="name" value="sr_under0"/>
   <property name="state" value="2"/>
  </properties>
 </tile>
 <tile id="81">
  <properties>
   <property name="name" value="sr_under1"/>
   <property name="state" value="2"/>
  </properties>
 </tile>
 <tile id="82">
  <properties>
   <property name="name" value="sr_under2"/>
   <property name="state" value="2"/>
  </properties>
 </tile>
 <tile id="83">
  <properties>
   <property name="name" value="sr_under3"/>
   <property name="state" value="2"/>
  </properties>
 </tile>
 <tile id="84">
  <properties>
   <property name="name" value="sl_under3"/>
   <property name="state" value="Z"/>
  </properties>
 </tile>
 <tile id="85">
  <properties>
   <property name="name" value="sl_under2"/>
   <property name="state" value="Z"/>
  </properties>
 </tile>
 <tile id="86">
  <properties>
   <property name="name" value="sl_under1"/>
   <property name="state" value="Z"/>
  </properties>
 </tile>
 <tile id="87">
  <properties>
   <property name="name" value="sl_under0"/>
   <property name="state" value="Z"/>
  </properties>
 </tile>
 <tile id="88">
  <properties>
   <property name="name" value="tele_1_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="89">
  <properties>
   <property name="name" value="tele_1_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="90">
  <properties>
   <property name="name" value="tele_1_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="91">
  <properties>
   <property name="name" value="door_1_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="92">
  <properties>
   <property name="name" value="door_1_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="93">
  <properties>
   <property name="name" value="lamp_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="94">
  <properties>
   <property name="name" value="sign_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="96">
  <properties>
   <property name="name" value="console_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="97">
  <properties>
   <property name="name" value="console_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="98">
  <properties>
   <property name="name" value="furnace_tl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="99">
  <properties>
   <property name="name" value="furnace_tr"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="104">
  <properties>
   <property name="name" value="tele_2_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="105">
  <properties>
   <property name="name" value="tele_2_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="106">
  <properties>
   <property name="name" value="tele_2_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="107">
  <properties>
   <property name="name" value="door_2_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="108">
  <properties>
   <property name="name" value="door_2_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="109">
  <properties>
   <property name="name" value="lamp_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="114">
  <properties>
   <property name="name" value="furnace_bl"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="115">
  <properties>
   <property name="name" value="furnace_br"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="120">
  <properties>
   <property name="name" value="tele_3_0"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="121">
  <properties>
   <property name="name" value="tele_3_1"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="122">
  <properties>
   <property name="name" value="tele_3_2"/>
   <property name="state" value="1"/>
  </properties>
 </tile>
 <tile id="192">
  <properties>
   <property name="name" value="far_0_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="193">
  <properties>
   <property name="name" value="far_0_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="194">
  <properties>
   <property name="name" value="far_0_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="195">
  <properties>
   <property name="name" value="far_0_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="196">
  <properties>
   <property name="name" value="far_0_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="197">
  <properties>
   <property name="name" value="far_1_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="198">
  <properties>
   <property name="name" value="far_1_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="199">
  <properties>
   <property name="name" value="far_1_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="200">
  <properties>
   <property name="name" value="far_1_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="201">
  <properties>
   <property name="name" value="far_1_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="202">
  <properties>
   <property name="name" value="far_2_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="203">
  <properties>
   <property name="name" value="far_2_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="204">
  <properties>
   <property name="name" value="far_2_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="205">
  <properties>
   <property name="name" value="far_2_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="206">
  <properties>
   <property name="name" value="far_2_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="207">
  <properties>
   <property name="name" value="far_2_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="208">
  <properties>
   <property name="name" value="far_2_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="209">
  <properties>
   <property name="name" value="far_3_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="210">
  <properties>
   <property name="name" value="far_3_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="211">
  <properties>
   <property name="name" value="far_3_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="212">
  <properties>
   <property name="name" value="far_3_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="213">
  <properties>
   <property name="name" value="far_3_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="214">
  <properties>
   <property name="name" value="far_4_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="215">
  <properties>
   <property name="name" value="far_4_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="216">
  <properties>
   <property name="name" value="far_4_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="217">
  <properties>
   <property name="name" value="far_4_7"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="218">
  <properties>
   <property name="name" value="far_5_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="219">
  <properties>
   <property name="name" value="far_5_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="220">
  <properties>
   <property name="name" value="far_5_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="221">
  <properties>
   <property name="name" value="far_5_7"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="222">
  <properties>
   <property name="name" value="far_6_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="223">
  <properties>
   <property name="name" value="far_6_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="224">
  <properties>
   <property name="name" value="far_6_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="225">
  <properties>
   <property name="name" value="far_6_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="226">
  <properties>
   <property name="name" value="far_6_7"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="227">
  <properties>
   <property name="name" value="far_7_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="228">
  <properties>
   <property name="name" value="far_7_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="229">
  <properties>
   <property name="name" value="far_7_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="230">
  <properties>
   <property name="name" value="far_7_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="231">
  <properties>
   <property name="name" value="far_7_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="232">
  <properties>
   <property name="name" value="far_7_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="233">
  <properties>
   <property name="name" value="far_8_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="234">
  <properties>
   <property name="name" value="far_8_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="235">
  <properties>
   <property name="name" value="far_8_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="236">
  <properties>
   <property name="name" value="far_8_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="237">
  <properties>
   <property name="name" value="far_8_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="238">
  <properties>
   <property name="name" value="far_8_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="239">
  <properties>
   <property name="name" value="far_8_7"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="240">
  <properties>
   <property name="name" value="far_9_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="241">
  <properties>
   <property name="name" value="far_9_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="242">
  <properties>
   <property name="name" value="far_9_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="243">
  <properties>
   <property name="name" value="far_9_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="244">
  <properties>
   <property name="name" value="far_9_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="245">
  <properties>
   <property name="name" value="far_9_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="246">
  <properties>
   <property name="name" value="far_9_7"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="247">
  <properties>
   <property name="name" value="far_10_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="248">
  <properties>
   <property name="name" value="far_10_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="249">
  <properties>
   <property name="name" value="far_10_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="250">
  <properties>
   <property name="name" value="far_10_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="251">
  <properties>
   <property name="name" value="far_10_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="252">
  <properties>
   <property name="name" value="far_10_6"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="253">
  <properties>
   <property name="name" value="far_11_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="254">
  <properties>
   <property name="name" value="far_11_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="255">
  <properties>
   <property name="name" value="far_11_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="256">
  <properties>
   <property name="name" value="far_12_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="257">
  <properties>
   <property name="name" value="far_12_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="258">
  <properties>
   <property name="name" value="far_12_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="259">
  <properties>
   <property name="name" value="far_13_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="260">
  <properties>
   <property name="name" value="far_13_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="261">
  <properties>
   <property name="name" value="far_13_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="262">
  <properties>
   <property name="name" value="far_14_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="263">
  <properties>
   <property name="name" value="far_14_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="264">
  <properties>
   <property name="name" value="far_14_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="265">
  <properties>
   <property name="name" value="far_15_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="266">
  <properties>
   <property name="name" value="far_16_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="267">
  <properties>
   <property name="name" value="sky_8"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="268">
  <properties>
   <property name="name" value="sky_9"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="336">
  <properties>
   <property name="name" value="truss_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="337">
  <properties>
   <property name="name" value="truss_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="338">
  <properties>
   <property name="name" value="col_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="339">
  <properties>
   <property name="name" value="col_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="340">
  <properties>
   <property name="name" value="wall_0_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="341">
  <properties>
   <property name="name" value="wall_0_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="342">
  <properties>
   <property name="name" value="wall_0_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="343">
  <properties>
   <property name="name" value="wall_0_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="344">
  <properties>
   <property name="name" value="wall_plain"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="345">
  <properties>
   <property name="name" value="hlamp_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="346">
  <properties>
   <property name="name" value="fan_tl"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="347">
  <properties>
   <property name="name" value="fan_tr"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="348">
  <properties>
   <property name="name" value="walk_l"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="349">
  <properties>
   <property name="name" value="walk_m"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="350">
  <properties>
   <property name="name" value="walk_r"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="352">
  <properties>
   <property name="name" value="truss_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="353">
  <properties>
   <property name="name" value="truss_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="354">
  <properties>
   <property name="name" value="col_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="355">
  <properties>
   <property name="name" value="col_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="356">
  <properties>
   <property name="name" value="wall_1_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="357">
  <properties>
   <property name="name" value="wall_1_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="358">
  <properties>
   <property name="name" value="wall_1_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="359">
  <properties>
   <property name="name" value="wall_1_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="361">
  <properties>
   <property name="name" value="hlamp_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="362">
  <properties>
   <property name="name" value="fan_bl"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="363">
  <properties>
   <property name="name" value="fan_br"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="370">
  <properties>
   <property name="name" value="col_4"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="371">
  <properties>
   <property name="name" value="col_5"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="372">
  <properties>
   <property name="name" value="wall_2_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="373">
  <properties>
   <property name="name" value="wall_2_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="374">
  <properties>
   <property name="name" value="wall_2_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="375">
  <properties>
   <property name="name" value="wall_2_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="376">
  <properties>
   <property name="name" value="bp_h"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="377">
  <properties>
   <property name="name" value="bp_v"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="378">
  <properties>
   <property name="name" value="bp_dr"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="379">
  <properties>
   <property name="name" value="bp_dl"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="380">
  <properties>
   <property name="name" value="bp_ur"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="381">
  <properties>
   <property name="name" value="bp_ul"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="382">
  <properties>
   <property name="name" value="bp_hjoint"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="383">
  <properties>
   <property name="name" value="bp_valve"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="388">
  <properties>
   <property name="name" value="wall_3_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="389">
  <properties>
   <property name="name" value="wall_3_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="390">
  <properties>
   <property name="name" value="wall_3_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="391">
  <properties>
   <property name="name" value="wall_3_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="392">
  <properties>
   <property name="name" value="bpw_h"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="393">
  <properties>
   <property name="name" value="bpw_v"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="394">
  <properties>
   <property name="name" value="bpw_dr"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="395">
  <properties>
   <property name="name" value="bpw_dl"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="396">
  <properties>
   <property name="name" value="bpw_ur"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="397">
  <properties>
   <property name="name" value="bpw_ul"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="398">
  <properties>
   <property name="name" value="bpw_hjoint"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="399">
  <properties>
   <property name="name" value="bpw_valve"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="404">
  <properties>
   <property name="name" value="wall_4_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="405">
  <properties>
   <property name="name" value="wall_4_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="406">
  <properties>
   <property name="name" value="wall_4_2"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="407">
  <properties>
   <property name="name" value="wall_4_3"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="448">
  <properties>
   <property name="name" value="chain_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="450">
  <properties>
   <property name="name" value="rail_l"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="451">
  <properties>
   <property name="name" value="rail_m"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="452">
  <properties>
   <property name="name" value="rail_r"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="454">
  <properties>
   <property name="name" value="fp_h"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="455">
  <properties>
   <property name="name" value="fp_v"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="456">
  <properties>
   <property name="name" value="fp_dr"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="457">
  <properties>
   <property name="name" value="fp_dl"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="458">
  <properties>
   <property name="name" value="steam_0"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="459">
  <properties>
   <property name="name" value="steam_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="460">
  <properties>
   <property name="name" value="cable"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="464">
  <properties>
   <property name="name" value="chain_1"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
 <tile id="480">
  <properties>
   <property name="name" value="hook"/>
   <property name="state" value="0"/>
  </properties>
 </tile>
</tileset>

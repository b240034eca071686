// Writes scaled sample data as UTF-8 CSV, the same for every run with the
// same seed: a catalogue (sheng.csv, diqu.csv, diantai.csv) or a directory
// (cominfo.csv), for make_catalogue and make_directory.
//
// Rows are made one after another from one random stream, so the first rows
// of a large run are the rows of a small run with the same seed. Every
// company, person and address is invented; mail and web addresses use the
// reserved ".example" domain.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Random = std::mt19937_64;

template <typename T, std::size_t N> const T& pick(Random& random, const T (&pool)[N])
{
    return pool[random() % N];
}

int between(Random& random, int low, int high)
{
    return low + int(random() % std::uint64_t(high - low + 1));
}

// True with probability percent / 100.
bool chance(Random& random, int percent)
{
    return int(random() % 100) < percent;
}

std::string digits(Random& random, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += char('0' + random() % 10);
    return s;
}

// Characters in a UTF-8 text.
int characters(const std::string& text)
{
    int n = 0;
    for (unsigned char c : text)
        n += (c & 0xc0) != 0x80;
    return n;
}

void csvField(std::string& out, const std::string& value)
{
    out += '"';
    for (char c : value) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
}

// --- directory

struct City
{
    const char* name;
    const char* province; // empty for a municipality
    const char* areaCode;
    const char* postPrefix;
    const char* latin;
};

const City cities[] = {
    {"杭州", "浙江", "0571", "310", "hz"}, {"宁波", "浙江", "0574", "315", "nb"},
    {"温州", "浙江", "0577", "325", "wz"}, {"苏州", "江苏", "0512", "215", "sz"},
    {"南京", "江苏", "025", "210", "nj"},  {"无锡", "江苏", "0510", "214", "wx"},
    {"合肥", "安徽", "0551", "230", "hf"}, {"济南", "山东", "0531", "250", "jn"},
    {"青岛", "山东", "0532", "266", "qd"}, {"郑州", "河南", "0371", "450", "zz"},
    {"武汉", "湖北", "027", "430", "wh"},  {"长沙", "湖南", "0731", "410", "cs"},
    {"成都", "四川", "028", "610", "cd"},  {"西安", "陕西", "029", "710", "xa"},
    {"太原", "山西", "0351", "030", "ty"}, {"南昌", "江西", "0791", "330", "nc"},
    {"福州", "福建", "0591", "350", "fz"}, {"厦门", "福建", "0592", "361", "xm"},
    {"广州", "广东", "020", "510", "gz"},  {"深圳", "广东", "0755", "518", "szh"},
    {"昆明", "云南", "0871", "650", "km"}, {"沈阳", "辽宁", "024", "110", "sy"},
    {"北京", "", "010", "100", "bj"},      {"上海", "", "021", "200", "sh"},
    {"天津", "", "022", "300", "tj"},      {"重庆", "", "023", "400", "cq"},
};

// Brand names are two of these characters: over two thousand made-up pairs.
struct Syllable
{
    const char* hanzi;
    const char* latin;
};
const Syllable syllables[] = {
    {"宏", "hong"}, {"建", "jian"}, {"华", "hua"},   {"盛", "sheng"},  {"永", "yong"},
    {"固", "gu"},   {"鼎", "ding"}, {"力", "li"},    {"恒", "heng"},   {"基", "ji"},
    {"金", "jin"},  {"石", "shi"},  {"安", "an"},    {"泰", "tai"},    {"广", "guang"},
    {"通", "tong"}, {"达", "da"},   {"远", "yuan"},  {"航", "hang"},   {"信", "xin"},
    {"博", "bo"},   {"瑞", "rui"},  {"丰", "feng"},  {"天", "tian"},   {"成", "cheng"},
    {"振", "zhen"}, {"兴", "xing"}, {"图", "tu"},    {"创", "chuang"}, {"鑫", "xin"},
    {"嘉", "jia"},  {"禾", "he"},   {"凯", "kai"},   {"诚", "cheng"},  {"顺", "shun"},
    {"润", "run"},  {"泽", "ze"},   {"晟", "sheng"}, {"峰", "feng"},   {"岚", "lan"},
    {"澜", "lan"},  {"坤", "kun"},  {"茂", "mao"},   {"锦", "jin"},    {"旭", "xu"},
    {"昊", "hao"},  {"卓", "zhuo"}, {"越", "yue"},
};

// A line of business, the words of its descriptions and its mail prefix.
struct Trade
{
    const char* suffix;
    const char* phrases[5];
};
const Trade trades[] = {
    {"建筑工程有限公司",
     {"承接房屋建筑工程施工总承包", "工业与民用建筑施工", "具有建筑工程施工总承包贰级资质",
      "承接 EPC 工程总承包", "近年承建住宅、学校、厂房等项目百余项"}},
    {"建设集团有限公司",
     {"房屋建筑、市政公用、机电安装工程施工", "具有建筑工程施工总承包壹级资质",
      "下设八个分公司和两个构件厂", "推行 BIM 技术与装配式施工", "多项工程获省优质工程奖"}},
    {"建材有限公司",
     {"经营水泥、砂石、商品混凝土", "销售钢材、木材、玻璃及五金交电", "代理多个品牌的瓷砖和卫浴",
      "供应加气混凝土砌块和轻质隔墙板", "自有仓储和运输车队，送货及时"}},
    {"建材贸易有限公司",
     {"钢材、水泥、防水材料批发零售", "Q235B、Q345B 热轧卷板现货供应", "螺纹钢、盘螺、线材长期现货",
      "承接工地材料配送", "与多家大型钢厂签订长期供货协议"}},
    {"钢结构工程有限公司",
     {"钢结构厂房、网架的设计与安装", "轻钢结构、彩钢板房制作", "拥有数控切割及自动焊接生产线",
      "承接钢结构住宅和多层钢框架", "Steel structure design & erection"}},
    {"防水材料有限公司",
     {"生产 SBS/APP 改性沥青防水卷材", "承接屋面及地下室防水工程", "聚氨酯防水涂料、JS 防水涂料",
      "产品执行 GB 18242 标准", "提供防水工程十年质保"}},
    {"装饰工程有限公司",
     {"室内外装饰装修工程设计与施工", "酒店、写字楼精装修", "承接家装及工装业务",
      "石材、木作、软装一站式服务", "具有建筑装饰工程设计专项甲级资质"}},
    {"幕墙门窗有限公司",
     {"断桥铝合金门窗及玻璃幕墙", "石材幕墙、铝板幕墙设计安装", "Low-E 中空玻璃深加工",
      "门窗气密性、水密性检测合格", "Curtain wall & aluminium windows"}},
    {"机械设备租赁有限公司",
     {"塔式起重机、施工升降机租赁", "挖掘机、装载机、压路机出租", "提供设备安装、拆卸及维修服务",
      "QTZ80、QTZ125 塔吊多台", "持有起重设备安装工程专业承包资质"}},
    {"工程监理有限公司",
     {"房屋建筑与市政公用工程监理", "具有工程监理综合资质", "提供项目管理和全过程工程咨询",
      "注册监理工程师六十余名", "监理项目多次获评优秀监理单位"}},
    {"建筑设计院有限公司",
     {"民用与工业建筑设计", "结构设计、施工图审查咨询", "城市规划及景观设计",
      "具有建筑行业（建筑工程）甲级资质", "BIM design & consulting"}},
    {"工程造价咨询有限公司",
     {"工程造价咨询、工程预结算编制", "招标代理及工程量清单编制", "全过程造价控制与审计",
      "注册造价工程师三十余名", "服务政府投资项目和房地产开发项目"}},
    {"电气安装工程有限公司",
     {"建筑电气与智能化系统安装", "10kV 及以下变配电工程", "承接楼宇自控、安防监控系统",
      "电力工程施工总承包叁级", "提供电气设备调试及运维服务"}},
    {"消防工程有限公司",
     {"消防设施工程设计与施工", "自动喷水灭火系统、火灾报警系统安装", "消防设施维护保养及检测",
      "具有消防设施工程专业承包壹级资质", "承接厂房、仓库消防改造"}},
    {"岩土工程勘察有限公司",
     {"岩土工程勘察、设计与施工", "深基坑支护及降水工程", "地基处理、桩基检测",
      "拥有钻探设备二十余台", "工程测量及地质灾害治理"}},
    {"市政工程有限公司",
     {"市政道路、桥梁、给排水管网工程", "城市综合管廊施工", "沥青混凝土路面摊铺",
      "具有市政公用工程施工总承包贰级资质", "承接园区基础设施配套工程"}},
    {"园林绿化工程有限公司",
     {"园林绿化工程设计与施工", "苗木种植及养护管理", "屋顶绿化、垂直绿化", "自有苗圃三百余亩",
      "承接市政道路绿化和小区景观"}},
    {"混凝土有限公司",
     {"C15~C60 商品混凝土生产与销售", "拥有 HZS180 搅拌站两座", "配备混凝土泵车和搅拌运输车",
      "实验室配备全套检测设备", "年产商品混凝土六十万立方米"}},
    {"管业有限公司",
     {"PPR、PE、PVC-U 管材管件", "HDPE 双壁波纹管生产", "给水、排水、燃气管道系统",
      "产品通过卫生许可检测", "PE pipes & fittings for water supply"}},
    {"检测技术有限公司",
     {"地基基础与主体结构检测", "建筑材料及构配件检测", "钢结构焊缝无损检测", "通过 CMA 计量认证",
      "提供建筑节能及室内环境检测"}},
};

const char* const generalPhrases[] = {
    "通过 ISO 9001 质量管理体系认证",
    "技术力量雄厚，设备先进",
    "重合同、守信用",
    "欢迎来电洽谈合作",
    "产品畅销周边各省",
    "可提供现场技术指导",
    "另承接劳务分包业务",
    "价格合理，服务周到",
    "诚招各地代理商",
    "公司注册资本一千万元",
    "拥有一支经验丰富的施工队伍",
    "质量第一，用户至上",
    "ISO 14001 环境管理体系认证",
    "长期承接外地工程",
    "竭诚为新老客户服务",
};

const char* const surnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周",
                                "徐", "孙", "马", "朱", "胡", "郭", "何", "高", "林", "罗",
                                "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯", "邓", "曹",
                                "彭", "曾", "肖", "田", "董", "袁", "潘", "于", "蒋", "蔡"};
const char* const given[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇",
                             "艳", "杰", "涛", "明", "超", "霞", "平", "刚", "华", "建", "国",
                             "志", "海", "兰", "春", "文", "斌", "红", "燕", "鹏", "宇"};
const char* const titles[] = {"经理", "先生", "女士", "总", "工"};
const char* const englishNames[] = {"David", "Linda", "Kevin", "Helen", "Jack", "Amy", "Tony"};

const char* const districts[] = {"城东区",   "城西区", "高新区", "经济开发区", "滨江区",
                                 "工业园区", "新城区", "江北区", "南湖区",     "西湖区"};
const char* const roads[] = {"建设路", "人民路", "解放路",   "工业路", "中山路", "长江路",
                             "黄河路", "文化路", "科技大道", "新华路", "创业路", "环城北路",
                             "东风路", "金桥路", "银河路",   "和平路"};
const char* const buildings[] = {"国际大厦", "科技园",   "商务中心",
                                 "创业大厦", "建材市场", "金融广场"};
const char* const mailPrefixes[] = {"info", "sales", "service", "office", "market", "hr"};

std::string brandLatin(int a, int b)
{
    return std::string(syllables[a].latin) + syllables[b].latin;
}

std::string telephone(Random& random, const City& city)
{
    // A local number starts with 2 to 8 and has seven or eight digits.
    const bool shortCode = std::strlen(city.areaCode) == 3;
    const int length = shortCode ? 8 : 7 + int(random() % 2);
    return std::string(city.areaCode) + "-" + char('2' + random() % 7) + digits(random, length - 1);
}

std::string mobile(Random& random)
{
    static const char* const prefixes[] = {"130", "133", "135", "138", "139", "150", "158", "186"};
    return std::string(pick(random, prefixes)) + digits(random, 8);
}

// Whole phrases, none twice, the trade's own first: 50 to 200 characters.
std::string business(Random& random, const Trade& trade)
{
    std::vector<const char*> own(std::begin(trade.phrases), std::end(trade.phrases));
    std::vector<const char*> general(std::begin(generalPhrases), std::end(generalPhrases));
    std::shuffle(own.begin(), own.end(), random);
    std::shuffle(general.begin(), general.end(), random);
    std::vector<const char*> order;
    std::size_t g = 0;
    for (const char* phrase : own) {
        order.push_back(phrase);
        if (chance(random, 50))
            order.push_back(general[g++]);
    }
    while (g < general.size())
        order.push_back(general[g++]);

    const int limit = between(random, 50, 200);
    std::string text;
    int length = 0;
    for (const char* phrase : order) {
        const int n = characters(phrase) + 1;
        if (length > 50 && length + n > limit)
            break;
        text += phrase;
        if (chance(random, 35)) {
            const bool newLine = chance(random, 30);
            text += newLine ? "。\n" : "。";
            length += n + (newLine ? 1 : 0);
        } else {
            text += "，";
            length += n;
        }
    }
    // The last separator becomes a full stop.
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    text.erase(text.size() - 3);
    return text + "。";
}

int directory(long count, std::uint64_t seed)
{
    Random random(seed);
    const int syllableCount = int(sizeof(syllables) / sizeof(*syllables));
    std::string line = "name,lxr,tel,fax,address,postcode,email,url,jj\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    for (long n = 0; n < count; ++n) {
        const City& city = pick(random, cities);
        const int a = int(random() % syllableCount);
        int b = int(random() % (syllableCount - 1));
        if (b >= a)
            ++b;
        const Trade& trade = pick(random, trades);

        std::string name =
            std::string(city.name) + syllables[a].hanzi + syllables[b].hanzi + trade.suffix;
        if (chance(random, 8)) {
            static const char* const numbers[] = {"第一", "第二", "第三", "第五", "第八"};
            name += std::string(pick(random, numbers)) + "分公司";
        }

        std::string person = pick(random, surnames);
        if (chance(random, 20)) {
            person += pick(random, titles);
        } else {
            person += pick(random, given);
            if (chance(random, 60))
                person += pick(random, given);
        }
        if (chance(random, 3))
            person = std::string(pick(random, englishNames)) + " " + person;

        std::string tel = telephone(random, city);
        if (chance(random, 25))
            tel += "，" + telephone(random, city);
        if (chance(random, 35))
            tel += "，" + mobile(random);
        std::string fax;
        const bool hasFax = chance(random, 80);
        if (hasFax)
            fax = telephone(random, city);

        std::string address;
        if (*city.province)
            address = std::string(city.province) + "省";
        address += std::string(city.name) + "市" + pick(random, districts) + pick(random, roads) +
                   std::to_string(between(random, 1, 999)) + "号";
        if (chance(random, 30))
            address += std::string(pick(random, buildings)) + char('A' + random() % 4) + "座" +
                       std::to_string(between(random, 101, 2508)) + "室";
        const std::string postcode = std::string(city.postPrefix) + digits(random, 3);

        // The made-up brand and its city name the company's own domain.
        std::string domain = brandLatin(a, b) + city.latin;
        if (chance(random, 40))
            domain += std::to_string(between(random, 1, 99));
        domain += ".example";
        std::string email;
        const bool hasEmail = chance(random, 85);
        if (hasEmail)
            email = std::string(pick(random, mailPrefixes)) + "@" + domain;
        std::string url;
        const bool hasUrl = chance(random, 70);
        if (hasUrl)
            url = (chance(random, 20) ? "http://www." : "www.") + domain;

        const std::string jj = business(random, trade);

        line.clear();
        csvField(line, name);
        line += ',';
        csvField(line, person);
        line += ',';
        csvField(line, tel);
        line += ',';
        if (hasFax)
            csvField(line, fax);
        line += ',';
        csvField(line, address);
        line += ',';
        csvField(line, postcode);
        line += ',';
        if (hasEmail)
            csvField(line, email);
        line += ',';
        if (hasUrl)
            csvField(line, url);
        line += ',';
        csvField(line, jj);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}

// --- catalogue

const char* const categories[] = {"规范标准", "施工组织设计", "施工方案", "技术交底", "质量验收",
                                  "安全管理", "工程表格",     "监理资料", "合同文本", "造价预算",
                                  "设计图集", "试验检测",     "竣工资料", "材料设备", "环境保护",
                                  "招标投标", "项目管理",     "绿色施工", "BIM应用",  "法规文件"};

// Forty subjects: one second-level menu each under every first-level menu.
const char* const subjects[] = {
    "地基与基础", "桩基工程", "基坑支护",   "土方工程", "混凝土结构", "钢筋工程",   "模板工程",
    "砌体结构",   "钢结构",   "木结构",     "屋面工程", "地下防水",   "建筑装饰",   "幕墙工程",
    "门窗工程",   "楼地面",   "给水排水",   "建筑电气", "智能建筑",   "通风与空调", "电梯工程",
    "建筑节能",   "消防工程", "市政道路",   "市政桥梁", "隧道工程",   "园林绿化",   "脚手架",
    "起重吊装",   "临时用电", "冬雨期施工", "测量放线", "试验检测",   "扬尘治理",   "文明施工",
    "职业健康",   "应急管理", "成本控制",   "进度控制", "资料归档"};

struct DocumentKind
{
    const char* name;
    const char* extension;
    bool standard; // carries a standard's number
};
const DocumentKind kinds[] = {
    {"施工方案", ".doc", false},         {"专项施工方案", ".doc", false},
    {"技术交底记录", ".doc", false},     {"施工质量验收规范", ".pdf", true},
    {"设计规范", ".pdf", true},          {"技术规程", ".pdf", true},
    {"安全技术规程", ".pdf", true},      {"检验批质量验收记录", ".xls", false},
    {"作业指导书", ".doc", false},       {"监理实施细则", ".doc", false},
    {"应急预案", ".doc", false},         {"计算书", ".doc", false},
    {"施工工艺标准", ".pdf", true},      {"质量通病防治措施", ".doc", false},
    {"隐蔽工程验收记录", ".xls", false}, {"材料进场验收记录", ".xls", false},
    {"旁站记录", ".xls", false},         {"图集说明", ".pdf", false},
    {"合同范本", ".doc", false},         {"预算书", ".xls", false},
    {"检测报告", ".pdf", false},         {"竣工验收记录", ".xls", false},
    {"培训课件", ".ppt", false},         {"常见问题解答", ".doc", false}};

// Invented projects, for the documents that belong to one.
const char* const projects[] = {"翠湖花园", "滨江新城", "锦绣家园",       "阳光小区",
                                "科创园",   "东湖中学", "人民医院门诊楼", "物流园",
                                "会展中心", "体育馆",   "南站综合体",     "经开区厂房"};

std::string standardNumber(Random& random)
{
    static const char* const series[] = {"GB 50", "GB/T 50", "JGJ ", "JGJ/T ", "CJJ "};
    return std::string(pick(random, series)) + std::to_string(between(random, 1, 399)) + "-" +
           std::to_string(between(random, 2001, 2022)) + " ";
}

// About 50 entries a second-level menu, 40 second-level menus a first-level.
int catalogue(long entries, std::uint64_t seed, const std::string& folder)
{
    Random random(seed);
    const long perSecond = 50;
    const long perFirst = 40;
    const long seconds = (entries + perSecond - 1) / perSecond;
    const long firsts = (seconds + perFirst - 1) / perFirst;
    const long categoryCount = long(sizeof(categories) / sizeof(*categories));
    auto open = [&](const char* name) {
        const std::string path = folder + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) {
            std::fprintf(stderr, "gen_data: cannot write %s\n", path.c_str());
            std::exit(1);
        }
        return f;
    };
    std::FILE* sheng = open("sheng.csv");
    std::FILE* diqu = open("diqu.csv");
    std::FILE* diantai = open("diantai.csv");
    std::fputs("sheng\n", sheng);
    std::fputs("diqu,sheng\n", diqu);
    std::fputs("dt_ming,dt_wangzhi,diqu\n", diantai);
    long entry = 0;
    std::string line;
    for (long f = 0; f < firsts; ++f) {
        // Names are unique: the levels are related by name.
        const std::string category = categories[f % categoryCount];
        const long volume = f / categoryCount + 1;
        const std::string volumeMark = volume > 1 ? "（" + std::to_string(volume) + "）" : "";
        const std::string first = category + volumeMark;
        line.clear();
        csvField(line, first);
        std::fprintf(sheng, "%s\n", line.c_str());
        for (long s = 0; s < perFirst && f * perFirst + s < seconds; ++s) {
            const std::string subject = subjects[s];
            const std::string second = category + "·" + subject + volumeMark;
            line.clear();
            csvField(line, second);
            line += ',';
            csvField(line, first);
            std::fprintf(diqu, "%s\n", line.c_str());
            for (long e = 0; e < perSecond && entry < entries; ++e, ++entry) {
                const DocumentKind& kind = pick(random, kinds);
                std::string title;
                if (kind.standard)
                    title = standardNumber(random) + subject + kind.name;
                else if (chance(random, 40))
                    title = std::string(pick(random, projects)) +
                            std::to_string(between(random, 1, 30)) + "#楼" + subject + kind.name;
                else
                    title = subject + kind.name;
                if (chance(random, 15))
                    title += "（" + std::to_string(between(random, 2010, 2024)) + "版）";
                line.clear();
                csvField(line, title);
                line += ',';
                csvField(line, "资料\\" + std::to_string(entry + 1) + kind.extension);
                line += ',';
                csvField(line, second);
                std::fprintf(diantai, "%s\n", line.c_str());
            }
        }
    }
    std::fclose(sheng);
    std::fclose(diqu);
    std::fclose(diantai);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "directory") == 0)
        return directory(std::atol(argv[2]), std::strtoull(argv[3], nullptr, 10));
    if (argc >= 5 && std::strcmp(argv[1], "catalogue") == 0)
        return catalogue(std::atol(argv[2]), std::strtoull(argv[3], nullptr, 10), argv[4]);
    std::fprintf(stderr, "usage: gen_data directory COUNT SEED > cominfo.csv\n"
                         "       gen_data catalogue ENTRIES SEED FOLDER\n");
    return 2;
}

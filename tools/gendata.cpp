// Writes scaled sample data as UTF-8 CSV, the same for every run with the
// same seed: a catalogue (sheng.csv, diqu.csv, diantai.csv) or a directory
// (cominfo.csv), for make_catalogue and make_directory.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Random = std::mt19937_64;

template <std::size_t N> const char* pick(Random& random, const char* const (&pool)[N])
{
    return pool[random() % N];
}

int between(Random& random, int low, int high)
{
    return low + int(random() % std::uint64_t(high - low + 1));
}

const char* const cities[] = {"杭州", "宁波", "苏州", "南京", "合肥", "济南", "青岛",
                              "郑州", "武汉", "长沙", "成都", "西安", "太原", "南昌",
                              "福州", "广州", "昆明", "沈阳", "天津", "重庆"};
const char* const cityLatin[] = {"hz", "nb", "sz", "nj", "hf", "jn", "qd", "zz", "wh", "cs",
                                 "cd", "xa", "ty", "nc", "fz", "gz", "km", "sy", "tj", "cq"};
const char* const words[] = {"宏建", "华盛", "永固", "鼎力", "恒基", "金石", "中联", "安泰",
                             "广厦", "通达", "远航", "立信", "博远", "瑞丰", "天成", "振华",
                             "盛世", "宏图", "同创", "众鑫", "嘉禾", "凯达", "信诚", "顺发"};
const char* const wordLatin[] = {
    "hongjian", "huasheng", "yonggu",     "dingli",   "hengji", "jinshi",  "zhonglian", "antai",
    "guangsha", "tongda",   "yuanhang",   "lixin",    "boyuan", "ruifeng", "tiancheng", "zhenhua",
    "shengshi", "hongtu",   "tongchuang", "zhongxin", "jiahe",  "kaida",   "xincheng",  "shunfa"};
const char* const trades[] = {"建筑工程有限公司",     "建材有限公司",       "钢结构工程有限公司",
                              "防水材料有限公司",     "装饰工程有限公司",   "机械设备租赁有限公司",
                              "工程监理有限公司",     "建筑设计院有限公司", "门窗幕墙有限公司",
                              "电气安装工程有限公司", "检测技术有限公司",   "管业有限公司"};
const char* const surnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周",
                                "徐", "孙", "马", "朱", "胡", "郭", "何", "高", "林", "罗"};
const char* const given[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋",
                             "勇", "艳", "杰", "涛", "明", "超", "霞", "平", "刚", "华"};
const char* const districts[] = {"城东区", "城西区", "高新区", "经济开发区", "滨江区", "工业园区"};
const char* const roads[] = {"建设路", "人民路", "解放路", "工业路",   "中山路",
                             "长江路", "黄河路", "文化路", "科技大道", "新华路"};
const char* const phrases[] = {"承接房屋建筑工程施工总承包",
                               "工业与民用建筑、市政道路及管网工程",
                               "经营水泥、砂石、商品混凝土",
                               "钢结构厂房、网架的设计与安装",
                               "生产改性沥青防水卷材",
                               "承接屋面及地下室防水工程",
                               "室内外装饰装修工程",
                               "塔式起重机、施工升降机租赁",
                               "房屋建筑与市政公用工程监理",
                               "工程造价咨询",
                               "断桥铝合金门窗及玻璃幕墙",
                               "建筑电气与智能化系统安装",
                               "地基基础与主体结构检测",
                               "PPR、PE、PVC-U 管材管件",
                               "通过 ISO 9001 质量体系认证",
                               "技术力量雄厚，设备先进",
                               "Steel structure & curtain wall",
                               "Ready-mixed concrete supply",
                               "欢迎来电洽谈合作",
                               "产品畅销周边各省",
                               "可提供现场技术指导",
                               "另承接劳务分包业务"};

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

std::string digits(Random& random, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += char('0' + random() % 10);
    return s;
}

int directory(long count, std::uint64_t seed)
{
    Random random(seed);
    std::string line = "name,lxr,tel,fax,address,postcode,email,url,jj\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    for (long n = 0; n < count; ++n) {
        const int city = int(random() % (sizeof(cities) / sizeof(*cities)));
        const int word = int(random() % (sizeof(words) / sizeof(*words)));
        const std::string domain = std::string(cityLatin[city]) + wordLatin[word] +
                                   std::to_string(n % 997) + ".example.cn";
        std::string name = std::string(cities[city]) + words[word] + pick(random, trades);
        if (random() % 3 == 0)
            name += "第" + std::to_string(between(random, 1, 99)) + "分公司";
        std::string person = pick(random, surnames);
        person += pick(random, given);
        if (random() % 2)
            person += pick(random, given);
        const std::string area = "0" + std::to_string(between(random, 10, 999));
        std::string tel = area + "-" + digits(random, 8);
        if (random() % 3 == 0)
            tel += "，13" + digits(random, 9);
        std::string jj;
        const int length = between(random, 50, 200);
        while (int(jj.size()) / 3 < length) {
            jj += pick(random, phrases);
            jj += random() % 5 ? "，" : "。\n";
        }

        line.clear();
        csvField(line, name);
        line += ',';
        csvField(line, person);
        line += ',';
        csvField(line, tel);
        line += ',';
        if (random() % 5)
            csvField(line, area + "-" + digits(random, 8));
        line += ',';
        csvField(line, std::string(cities[city]) + "市" + pick(random, districts) +
                           pick(random, roads) + std::to_string(between(random, 1, 999)) + "号");
        line += ',';
        csvField(line, digits(random, 6));
        line += ',';
        if (random() % 7)
            csvField(line, std::string(random() % 2 ? "info@" : "sales@") + domain);
        line += ',';
        if (random() % 4)
            csvField(line, "www." + domain);
        line += ',';
        csvField(line, jj);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return 0;
}

// About 50 entries a second-level menu, 40 second-level menus a first-level.
int catalogue(long entries, std::uint64_t seed, const std::string& folder)
{
    Random random(seed);
    const long perSecond = 50;
    const long perFirst = 40;
    const long seconds = (entries + perSecond - 1) / perSecond;
    const long firsts = (seconds + perFirst - 1) / perFirst;
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
    for (long f = 0; f < firsts; ++f) {
        const std::string first =
            std::string(pick(random, phrases)).substr(0, 12) + "类" + std::to_string(f + 1);
        std::string line;
        csvField(line, first);
        std::fprintf(sheng, "%s\n", line.c_str());
        for (long s = 0; s < perFirst && f * perFirst + s < seconds; ++s) {
            const std::string second = std::string(pick(random, trades)).substr(0, 12) + "-" +
                                       std::to_string(f * perFirst + s + 1);
            line.clear();
            csvField(line, second);
            line += ',';
            csvField(line, first);
            std::fprintf(diqu, "%s\n", line.c_str());
            for (long e = 0; e < perSecond && entry < entries; ++e, ++entry) {
                const std::string title = std::string(pick(random, phrases)).substr(0, 18) +
                                          "资料" + std::to_string(entry + 1);
                line.clear();
                csvField(line, title);
                line += ',';
                csvField(line, "资料\\doc" + std::to_string(entry + 1) + ".html");
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

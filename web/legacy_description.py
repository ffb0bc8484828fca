# Until the windows are described without Qt, the page reads their layout from
# the desktop face's tables: usage: legacy_description.py SOURCE_DIR OUTPUT.
import re, json, sys
root = sys.argv[1]
mw = open(root + '/ui/main_window/main_window.cpp').read()
ww = open(root + '/ui/waveform_window/waveform_window.cpp').read()
fields = open(root + '/model/fields.cpp').read()
fctl = dict(re.findall(r'\.id = FieldId::(\w+), \.control = "(\w+)", \.name = "([^"]*)", \.unit = "([^"]*)"', fields) and [(a,b) for a,b,c,d in re.findall(r'\.id = FieldId::(\w+), \.control = "(\w+)", \.name = "([^"]*)", \.unit = "([^"]*)"', fields)])
fmeta = {b:(c,d) for a,b,c,d in re.findall(r'\.id = FieldId::(\w+), \.control = "(\w+)", \.name = "([^"]*)", \.unit = "([^"]*)"', fields)}
fdesc = dict(re.findall(r'\.control = "(\w+)".*?\.description = "([^"]*)"', fields, re.S))
px = lambda t: t/15
def geo(g):
    l,t,w,h = [int(x) for x in g.split(',')]
    return dict(left=px(l), top=px(t), width=px(w), height=px(h))
C = []
def ctl(**k):
    d = dict(kind='label', container='', text='', background=None, color=None, border='none', align='left', bold=True, hidden=False, checked=False, accessibleName='', description='', role='')
    d.update(k); C.append(d)
look = {'Plain':{}, 'RightJustified':{'align':'right'}, 'Result':{'align':'right','border':'single','background':'#ffffff','color':'#000000','role':'result'}, 'Credit':{'border':'single','background':'#c0ffff','color':'#000000','bold':False}}
forms = {}
ctl(name='Shape1', kind='shape', lineColour='#ff0000', lineWidth=2, **geo('11160, 120, 3495, 4335'))
ctl(name='Image1', kind='image', source='schematic.svg', role='picture', accessibleName='Schema del circuito', description="Multivibratore astabile", **geo('360, 360, 7410, 6015'))
for n,c,g,k in re.findall(r'DesignedLabel\{"(\w+)", "([^"]*)",\s*\{([\d, ]+)\}, LabelKind::(\w+)\}', mw):
    if n=='Label67': c='Ostrevo didattico'
    ctl(name=n, text=c, **geo(g), **look[k])
for fid,text,g in re.findall(r'DesignedField\{FieldId::(\w+), "([^"]*)", \{([\d, ]+)\}\}', mw):
    cname = [b for a,b in fctl.items()] 
    control = dict(fctl)[fid]
    nm,unit = fmeta[control]
    ctl(name=control, kind='field', text=text, align='right', border='sunken', background='#ffffff', color='#000000', accessibleName=f'{nm} [{unit}]', description=fdesc[control], **geo(g))
for n,c,g in re.findall(r'ButtonSpec\{"(\w+)", "([^"]*)", \{([\d, ]+)\}', mw):
    ctl(name=n, kind='button', text=c, align='center', accessibleName=c, **geo(g))
tab1 = re.findall(r'"(\w+)"', re.search(r'kTabOrder\{(.*?)\};', mw, re.S).group(1))
forms['Form1'] = dict(caption='Ostrevo reale', width=px(14895), height=px(8460), controls=C, tabOrder=tab1)
C = []
ctl(name='Picture1', kind='picture', background='#ffffc0', color='#000000', border='sunken', role='picture', accessibleName="Grafico delle forme d'onda", description='Forme d\'onda a regime', **geo('1080, 240, 13875, 9555'))
ctl(name='Picture3', kind='picture', border='none', role='picture', accessibleName='Scala delle tensioni', **geo('0, 360, 1065, 9315'))
ctl(name='Picture2', kind='picture', border='sunken', hidden=True, **geo('14640, 9840, 330, 330'))
lk2 = {'':{}, 'Plain':{}, 'OnPlot':{'background':'#ffffc0','color':'#000000'}, 'ValueBox':{'background':'#ffffc0','color':'#000000','border':'single','align':'right','role':'result'}, 'Credit':{'background':'#c0ffff','color':'#000000','border':'single','bold':False}}
for n,c,g,k in re.findall(r'\{"(\w+)", "([^"]*)", \{([\d, ]+)\}(?:, LabelKind::(\w+))?\}', ww):
    cont = 'Picture1' if n in ('Label5','Label1','Label2','Label3') else ('Picture3' if n in ('Label6','Label7','Label8','Label12','Label11','Label13','Label4') else '')
    g2 = geo(g)
    ctl(name=n, text=c, container=cont, **g2, **lk2[k])
ctl(name='Option1', kind='option', text='vc(t)', color='#ff0000', checked=True, accessibleName='vc(t) tensione sul condensatore', **geo('15600, 480, 1170, 330'))
ctl(name='Option3', kind='option', text='vo(t)', color='#0000ff', accessibleName='vo(t) tensione d\'uscita', **geo('15720, 2280, 1275, 330'))
ctl(name='Command1', kind='button', text='Esci', align='center', accessibleName='Esci', **geo('16110, 8250, 1275, 435'))
forms['Form2'] = dict(caption='ostrevo', width=px(18285), height=px(10320), controls=C, tabOrder=['Picture1','Picture3','Command1','Option1','Option3'])
d = dict(messageTitle='Ostrevo', plotArea='Picture1', font=dict(family='MS Sans Serif', fallbacks=['Liberation Sans','Arimo'], size=11), windows=forms)
s = json.dumps(d, ensure_ascii=False)
open(sys.argv[2], 'w').write('R"JSON(' + s + ')JSON"')

